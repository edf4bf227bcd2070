#include "platform/sound/pulsesound.h"

#include "platform/log.h"
#include "platform/paths.h"
#include "platform/sound/sounddecode.h"

#include <QDateTime>
#include <QFileInfo>

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>

namespace oravians {

using Clock = std::chrono::steady_clock;

namespace {

// What the server may hold ahead of the sink: a cut-off sound goes on this
// long at most, and a busy moment this long passes without a gap.
constexpr int kTargetMs = 80;
// A new stream carries silence this long before its first sound, so whatever
// the server does to a stream's first moments happens to silence.
constexpr int kLeadInMs = 150;
// Silence written after a sound's last sample before it counts as played:
// by then the server has taken the whole sound from the stream.
constexpr int kSettleMs = kTargetMs + 120;
// How long connecting may take before the server counts as absent.
constexpr int kConnectTimeoutMs = 5000;

} // namespace

struct PulseSound::Shared {
    struct Request {
        QString root;
        QString relativePath;
    };

    explicit Shared(Options o) : options(o) {}

    const Options options;
    std::mutex mutex;
    std::condition_variable wake;  // worker: a request, shutdown, a sound done, a lost server
    std::condition_variable idle;  // waitUntilIdle, destructor
    std::optional<Request> pending;
    bool busy = false;     // the worker is handling a request
    bool sounding = false; // a sound is in the stream and not yet played out
    bool broken = false;   // the server went away
    bool stopping = false;
    bool finished = false;
    std::atomic<int> attempts{0};
    std::atomic<int> completed{0};

    bool quiet() const { return !pending && !busy && !sounding; }
};

namespace {

// Everything the worker owns. The stream's callbacks run on the sound
// server's own thread with its lock held; they touch only the feed.
class Worker {
public:
    explicit Worker(std::shared_ptr<PulseSound::Shared> shared) : d_(std::move(shared)) {}
    ~Worker() { disconnect(); }

    void run()
    {
        std::unique_lock lock(d_->mutex);
        for (;;) {
            const auto ready = [&] { return d_->pending || d_->stopping || d_->broken; };
            if (!ready()) {
                if (!mainloop_) {
                    d_->wake.wait(lock, ready);
                } else if (!d_->wake.wait_for(lock, std::chrono::milliseconds(d_->options.closeWhenIdleMs), ready)) {
                    if (!d_->sounding) {
                        lock.unlock();
                        disconnect();
                        lock.lock();
                    }
                    continue;
                }
            }
            if (d_->stopping)
                break;
            if (d_->broken) {
                d_->broken = false;
                d_->sounding = false;
                lock.unlock();
                lost();
                lock.lock();
                if (d_->quiet())
                    d_->idle.notify_all();
                continue;
            }
            const PulseSound::Shared::Request request = *d_->pending;
            d_->pending.reset();
            d_->busy = true;
            lock.unlock();
            playOne(request);
            lock.lock();
            d_->busy = false;
            if (d_->quiet())
                d_->idle.notify_all();
        }
        lock.unlock();
        disconnect();
        lock.lock();
        d_->finished = true;
        d_->idle.notify_all();
    }

private:
    struct CacheEntry {
        QDateTime modified;
        qint64 size = 0;
        std::shared_ptr<const DecodedSound> sound;
    };

    // What the stream plays next; guarded by the mainloop's lock.
    struct Feed {
        std::shared_ptr<const DecodedSound> sound;
        size_t offset = 0;       // bytes of the sound already written
        size_t leadIn = 0;       // bytes of silence still to write before it
        size_t settled = 0;      // bytes of silence written after its end
        size_t settleBytes = 0;
        size_t leadInBytes = 0;
    };

    std::shared_ptr<const DecodedSound> load(const QString& relativePath, const QString& path)
    {
        const QFileInfo info(path);
        if (!info.isFile()) {
            logProblemOnce(QStringLiteral("Sound file not found: \"%1\" (%2)").arg(relativePath, path));
            return nullptr;
        }
        auto it = cache_.find(path);
        if (it != cache_.end() && it->second.modified == info.lastModified() && it->second.size == info.size())
            return it->second.sound;
        std::optional<DecodedSound> decoded = decodeSound(path);
        if (!decoded) {
            logProblemOnce(QStringLiteral("Sound file cannot be played: \"%1\" (%2)").arg(relativePath, path));
            return nullptr;
        }
        auto sound = std::make_shared<const DecodedSound>(std::move(*decoded));
        // The program plays a few dozen short sounds; a simple bound keeps a
        // pathological folder from holding on to memory.
        cachedBytes_ += sound->samples.size() * sizeof(std::int16_t);
        if (cachedBytes_ > kCacheLimit) {
            cache_.clear();
            cachedBytes_ = sound->samples.size() * sizeof(std::int16_t);
        }
        cache_[path] = CacheEntry{info.lastModified(), info.size(), sound};
        return sound;
    }

    static void onContextState(pa_context* c, void* self)
    {
        auto* w = static_cast<Worker*>(self);
        const pa_context_state_t s = pa_context_get_state(c);
        if (s == PA_CONTEXT_FAILED || s == PA_CONTEXT_TERMINATED)
            w->markBroken();
        pa_threaded_mainloop_signal(w->mainloop_, 0);
    }

    static void onStreamState(pa_stream* s, void* self)
    {
        auto* w = static_cast<Worker*>(self);
        const pa_stream_state_t st = pa_stream_get_state(s);
        if (st == PA_STREAM_FAILED || st == PA_STREAM_TERMINATED)
            w->markBroken();
        pa_threaded_mainloop_signal(w->mainloop_, 0);
    }

    static void onWritable(pa_stream* s, size_t nbytes, void* self) { static_cast<Worker*>(self)->feed(s, nbytes); }

    // The feed fell behind (a very busy machine) and the stream stopped: it
    // starts again the way a new one does, with silence first, unless a
    // sound is half written and must go on.
    static void onUnderflow(pa_stream*, void* self)
    {
        Feed& f = static_cast<Worker*>(self)->feed_;
        if (!f.sound || f.offset == 0)
            f.leadIn = std::max(f.leadIn, f.leadInBytes);
    }

    // Called whenever the server wants more: the rest of the sound, then
    // silence. Never a gap, so the stream never has to start again.
    void feed(pa_stream* s, size_t nbytes)
    {
        bool done = false;
        while (nbytes > 0) {
            void* buffer = nullptr;
            size_t n = nbytes;
            if (pa_stream_begin_write(s, &buffer, &n) < 0 || !buffer || n == 0)
                return;
            n = std::min(n, nbytes);
            n -= n % frameBytes_;
            if (n == 0) {
                pa_stream_cancel_write(s);
                return;
            }
            auto* out = static_cast<std::uint8_t*>(buffer);
            size_t filled = 0;
            if (feed_.leadIn > 0) {
                const size_t k = std::min(feed_.leadIn, n);
                std::memset(out, 0, k);
                feed_.leadIn -= k;
                filled = k;
            }
            if (feed_.sound && filled < n) {
                const auto* bytes = reinterpret_cast<const std::uint8_t*>(feed_.sound->samples.data());
                const size_t total = feed_.sound->samples.size() * sizeof(std::int16_t);
                const size_t k = std::min(total - feed_.offset, n - filled);
                std::memcpy(out + filled, bytes + feed_.offset, k);
                feed_.offset += k;
                filled += k;
            }
            if (filled < n) {
                std::memset(out + filled, 0, n - filled);
                if (feed_.sound) {
                    feed_.settled += n - filled;
                    if (feed_.settled >= feed_.settleBytes) {
                        feed_.sound.reset();
                        done = true;
                    }
                }
            }
            if (pa_stream_write(s, buffer, n, nullptr, 0, PA_SEEK_RELATIVE) < 0)
                return;
            nbytes -= n;
        }
        if (done) {
            ++d_->completed;
            std::lock_guard lock(d_->mutex);
            d_->sounding = false;
            if (d_->quiet())
                d_->idle.notify_all();
        }
    }

    void markBroken()
    {
        std::lock_guard lock(d_->mutex);
        d_->broken = true;
        d_->wake.notify_all();
    }

    // Waits, without the lock held, until `ready` holds or time is up.
    template <typename Pred>
    bool waitFor(Pred ready)
    {
        const auto deadline = Clock::now() + std::chrono::milliseconds(kConnectTimeoutMs);
        for (;;) {
            pa_threaded_mainloop_lock(mainloop_);
            const std::optional<bool> r = ready();
            pa_threaded_mainloop_unlock(mainloop_);
            if (r)
                return *r;
            if (Clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    bool connect(const pa_sample_spec& spec)
    {
        if (stream_ && pa_sample_spec_equal(&spec, &spec_))
            return true;
        disconnect();
        if (failedAt_ && Clock::now() - *failedAt_ < std::chrono::milliseconds(d_->options.retryAfterFailureMs))
            return false;
        ++d_->attempts;
        if (!open(spec)) {
            disconnect();
            failedAt_ = Clock::now();
            return false;
        }
        failedAt_.reset();
        return true;
    }

    bool open(const pa_sample_spec& spec)
    {
        mainloop_ = pa_threaded_mainloop_new();
        if (!mainloop_)
            return false;
        context_ = pa_context_new(pa_threaded_mainloop_get_api(mainloop_), "The Oravians");
        if (!context_)
            return false;
        pa_context_set_state_callback(context_, &Worker::onContextState, this);
        if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOFLAGS, nullptr) < 0)
            return false;
        if (pa_threaded_mainloop_start(mainloop_) < 0)
            return false;
        const bool contextReady = waitFor([&]() -> std::optional<bool> {
            const pa_context_state_t s = pa_context_get_state(context_);
            if (s == PA_CONTEXT_READY)
                return true;
            if (!PA_CONTEXT_IS_GOOD(s))
                return false;
            return std::nullopt;
        });
        if (!contextReady)
            return false;

        pa_threaded_mainloop_lock(mainloop_);
        spec_ = spec;
        frameBytes_ = pa_frame_size(&spec);
        feed_ = Feed{};
        feed_.leadInBytes = pa_usec_to_bytes(kLeadInMs * 1000, &spec);
        feed_.leadIn = feed_.leadInBytes;
        feed_.settleBytes = pa_usec_to_bytes(kSettleMs * 1000, &spec);
        stream_ = pa_stream_new(context_, "sound", &spec, nullptr);
        bool started = false;
        if (stream_) {
            pa_stream_set_state_callback(stream_, &Worker::onStreamState, this);
            pa_stream_set_write_callback(stream_, &Worker::onWritable, this);
            pa_stream_set_underflow_callback(stream_, &Worker::onUnderflow, this);
            pa_buffer_attr attr;
            attr.maxlength = std::uint32_t(-1);
            attr.tlength = std::uint32_t(pa_usec_to_bytes(kTargetMs * 1000, &spec));
            attr.prebuf = std::uint32_t(-1);
            attr.minreq = std::uint32_t(-1);
            attr.fragsize = std::uint32_t(-1);
            started = pa_stream_connect_playback(stream_, nullptr, &attr, PA_STREAM_ADJUST_LATENCY, nullptr, nullptr) == 0;
        }
        pa_threaded_mainloop_unlock(mainloop_);
        if (!started)
            return false;
        return waitFor([&]() -> std::optional<bool> {
            const pa_stream_state_t s = pa_stream_get_state(stream_);
            if (s == PA_STREAM_READY)
                return true;
            if (!PA_STREAM_IS_GOOD(s))
                return false;
            return std::nullopt;
        });
    }

    void disconnect()
    {
        if (!mainloop_)
            return;
        pa_threaded_mainloop_lock(mainloop_);
        if (stream_) {
            pa_stream_set_state_callback(stream_, nullptr, nullptr);
            pa_stream_set_write_callback(stream_, nullptr, nullptr);
            pa_stream_set_underflow_callback(stream_, nullptr, nullptr);
            pa_stream_disconnect(stream_);
            pa_stream_unref(stream_);
            stream_ = nullptr;
        }
        if (context_) {
            pa_context_set_state_callback(context_, nullptr, nullptr);
            pa_context_disconnect(context_);
            pa_context_unref(context_);
            context_ = nullptr;
        }
        feed_ = Feed{};
        pa_threaded_mainloop_unlock(mainloop_);
        pa_threaded_mainloop_stop(mainloop_);
        pa_threaded_mainloop_free(mainloop_);
        mainloop_ = nullptr;
        std::lock_guard lock(d_->mutex);
        d_->sounding = false;
        d_->broken = false;
    }

    // The server went away: drop the connection and rest a while.
    void lost()
    {
        disconnect();
        failedAt_ = Clock::now();
    }

    void playOne(const PulseSound::Shared::Request& request)
    {
        const QString path = resolveContentPath(request.relativePath, request.root);
        const std::shared_ptr<const DecodedSound> sound = load(request.relativePath, path);
        if (!sound)
            return;
        pa_sample_spec spec;
        spec.format = PA_SAMPLE_S16LE;
        spec.rate = std::uint32_t(sound->rate);
        spec.channels = std::uint8_t(sound->channels);
        if (!pa_sample_spec_valid(&spec) || !connect(spec))
            return;
        {
            std::lock_guard lock(d_->mutex);
            d_->sounding = true;
        }
        // The sound replaces whatever the stream was about to play; what the
        // server already holds plays out first, then this from its start.
        pa_threaded_mainloop_lock(mainloop_);
        feed_.sound = sound;
        feed_.offset = 0;
        feed_.settled = 0;
        pa_threaded_mainloop_unlock(mainloop_);
    }

    static constexpr size_t kCacheLimit = 64u << 20;
    std::shared_ptr<PulseSound::Shared> d_;
    pa_threaded_mainloop* mainloop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    pa_sample_spec spec_{};
    size_t frameBytes_ = 2;
    Feed feed_;
    std::optional<Clock::time_point> failedAt_;
    std::map<QString, CacheEntry> cache_;
    size_t cachedBytes_ = 0;
};

} // namespace

PulseSound::PulseSound(QString contentFolder) : PulseSound(std::move(contentFolder), Options{}) {}

PulseSound::PulseSound(QString contentFolder, Options options)
    : root_(std::move(contentFolder)), d_(std::make_shared<Shared>(options))
{
}

PulseSound::~PulseSound()
{
    if (!worker_.joinable())
        return;
    std::unique_lock lock(d_->mutex);
    d_->stopping = true;
    d_->pending.reset();
    d_->wake.notify_all();
    // A sound server that stops answering could hold the worker inside a
    // library call; the program must still be able to close. The worker owns
    // its share of the state, so leaving it behind is safe.
    const bool done = d_->idle.wait_for(lock, std::chrono::seconds(2), [&] { return d_->finished; });
    lock.unlock();
    if (done)
        worker_.join();
    else
        worker_.detach();
}

void PulseSound::play(const QString& relativePath)
{
    if (relativePath.isEmpty())
        return;
    {
        std::lock_guard lock(d_->mutex);
        d_->pending = Shared::Request{root_, relativePath};
        d_->wake.notify_all();
    }
    // The worker starts with the first sound: a program that has not played
    // one yet needs no thread.
    if (!worker_.joinable())
        worker_ = std::thread([shared = d_] { Worker(shared).run(); });
}

bool PulseSound::waitUntilIdle(int timeoutMs)
{
    std::unique_lock lock(d_->mutex);
    return d_->idle.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return d_->quiet(); });
}

int PulseSound::connectionAttempts() const { return d_->attempts.load(); }

int PulseSound::soundsCompleted() const { return d_->completed.load(); }

} // namespace oravians
