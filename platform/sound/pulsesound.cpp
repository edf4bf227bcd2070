#include "platform/sound/pulsesound.h"

#include "platform/paths.h"
#include "platform/sound/sounddecode.h"

#include <QDateTime>
#include <QFileInfo>

#include <pulse/error.h>
#include <pulse/simple.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>

namespace oravians {

using Clock = std::chrono::steady_clock;

struct PulseSound::Shared {
    struct Request {
        QString root;
        QString relativePath;
    };

    explicit Shared(Options o) : options(o) {}

    const Options options;
    std::mutex mutex;
    std::condition_variable wake;  // worker: a request or shutdown
    std::condition_variable idle;  // waitUntilIdle, destructor
    std::optional<Request> pending;
    bool busy = false;
    bool stopping = false;
    bool finished = false;
    std::atomic<std::uint64_t> generation{0}; // bumped by every request, so a playing sound sees it is superseded
    std::atomic<int> attempts{0};
    std::atomic<int> completed{0};

    bool superseded(std::uint64_t gen) const
    {
        return generation.load() != gen;
    }
};

namespace {

// Everything the worker owns; only the worker thread touches it.
class Worker {
public:
    explicit Worker(std::shared_ptr<PulseSound::Shared> shared) : d_(std::move(shared)) {}
    ~Worker() { disconnect(); }

    void run()
    {
        std::unique_lock lock(d_->mutex);
        for (;;) {
            if (!d_->pending && !d_->stopping) {
                const bool woken = d_->wake.wait_for(lock, std::chrono::milliseconds(d_->options.closeWhenIdleMs),
                                                     [&] { return d_->pending || d_->stopping; });
                if (!woken) {
                    lock.unlock();
                    disconnect();
                    lock.lock();
                    continue;
                }
            }
            if (d_->stopping)
                break;
            const PulseSound::Shared::Request request = *d_->pending;
            d_->pending.reset();
            const std::uint64_t gen = d_->generation.load();
            d_->busy = true;
            lock.unlock();
            playOne(request, gen);
            lock.lock();
            d_->busy = false;
            if (!d_->pending)
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

    std::shared_ptr<const DecodedSound> load(const QString& path)
    {
        const QFileInfo info(path);
        if (!info.isFile())
            return nullptr;
        auto it = cache_.find(path);
        if (it != cache_.end() && it->second.modified == info.lastModified() && it->second.size == info.size())
            return it->second.sound;
        std::optional<DecodedSound> decoded = decodeSound(path);
        if (!decoded)
            return nullptr;
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

    bool connect(const pa_sample_spec& spec)
    {
        if (stream_ && spec.rate == spec_.rate && spec.channels == spec_.channels && spec.format == spec_.format)
            return true;
        disconnect();
        if (failedAt_ && Clock::now() - *failedAt_ < std::chrono::milliseconds(d_->options.retryAfterFailureMs))
            return false;
        // A modest target buffer: enough to ride out a busy moment without a
        // gap, short enough that draining at a sound's end waits no longer
        // than this. Stopping a sound flushes, so it does not wait at all.
        pa_buffer_attr attr;
        attr.maxlength = std::uint32_t(-1);
        attr.tlength = std::uint32_t(pa_usec_to_bytes(150 * 1000, &spec));
        attr.prebuf = std::uint32_t(-1);
        attr.minreq = std::uint32_t(-1);
        attr.fragsize = std::uint32_t(-1);
        int error = 0;
        ++d_->attempts;
        stream_ = pa_simple_new(nullptr, "The Oravians", PA_STREAM_PLAYBACK, nullptr, "sound", &spec, nullptr, &attr, &error);
        if (!stream_) {
            failedAt_ = Clock::now();
            return false;
        }
        failedAt_.reset();
        spec_ = spec;
        return true;
    }

    void disconnect()
    {
        if (stream_)
            pa_simple_free(stream_);
        stream_ = nullptr;
    }

    // The server went away mid-sound: drop the connection and rest a while.
    void lost()
    {
        disconnect();
        failedAt_ = Clock::now();
    }

    void playOne(const PulseSound::Shared::Request& request, std::uint64_t gen)
    {
        const std::shared_ptr<const DecodedSound> sound = load(resolveContentPath(request.relativePath, request.root));
        if (!sound)
            return;
        pa_sample_spec spec;
        spec.format = PA_SAMPLE_S16LE;
        spec.rate = std::uint32_t(sound->rate);
        spec.channels = std::uint8_t(sound->channels);
        if (!pa_sample_spec_valid(&spec) || !connect(spec))
            return;
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(sound->samples.data());
        const size_t total = sound->samples.size() * sizeof(std::int16_t);
        // About 10 ms a write, so a new request is noticed quickly.
        const size_t chunk = std::max<size_t>(pa_frame_size(&spec), pa_usec_to_bytes(10 * 1000, &spec));
        int error = 0;
        for (size_t offset = 0; offset < total; offset += chunk) {
            if (d_->superseded(gen) || stopping()) {
                if (pa_simple_flush(stream_, &error) < 0)
                    lost();
                return;
            }
            if (pa_simple_write(stream_, bytes + offset, std::min(chunk, total - offset), &error) < 0) {
                lost();
                return;
            }
        }
        // Drain: the sound plays to its very end before anything else happens
        // to the stream. The buffer is short, so this waits ~150 ms at most.
        if (pa_simple_drain(stream_, &error) < 0) {
            lost();
            return;
        }
        ++d_->completed;
        // After a drain the server keeps playing silence and its read position
        // runs ahead of ours, so the next sound would lose its first
        // milliseconds. A flush brings the two together and re-arms the
        // start-up buffer.
        if (pa_simple_flush(stream_, &error) < 0)
            lost();
    }

    bool stopping()
    {
        std::lock_guard lock(d_->mutex);
        return d_->stopping;
    }

    static constexpr size_t kCacheLimit = 64u << 20;
    std::shared_ptr<PulseSound::Shared> d_;
    pa_simple* stream_ = nullptr;
    pa_sample_spec spec_{};
    std::optional<Clock::time_point> failedAt_;
    std::map<QString, CacheEntry> cache_;
    size_t cachedBytes_ = 0;
};

} // namespace

PulseSound::PulseSound() : PulseSound(Options{}) {}

PulseSound::PulseSound(Options options) : d_(std::make_shared<Shared>(options))
{
    worker_ = std::thread([shared = d_] { Worker(shared).run(); });
}

PulseSound::~PulseSound()
{
    std::unique_lock lock(d_->mutex);
    d_->stopping = true;
    d_->pending.reset();
    ++d_->generation;
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
    const QString root = ContentRoot::get();
    std::lock_guard lock(d_->mutex);
    d_->pending = Shared::Request{root, relativePath};
    ++d_->generation;
    d_->wake.notify_all();
}

bool PulseSound::waitUntilIdle(int timeoutMs)
{
    std::unique_lock lock(d_->mutex);
    return d_->idle.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return !d_->pending && !d_->busy; });
}

int PulseSound::connectionAttempts() const { return d_->attempts.load(); }

int PulseSound::soundsCompleted() const { return d_->completed.load(); }

} // namespace oravians
