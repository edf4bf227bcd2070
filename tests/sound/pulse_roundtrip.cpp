// Helper of pulse_roundtrip.sh.
//   pulse_roundtrip play <program folder> <sound>...    plays each sound through PulseSound, one after another
//   pulse_roundtrip interrupt <program folder> <long sound> <short sound>
//   pulse_roundtrip reconnect <program folder> <sound>
//   pulse_roundtrip survive <program folder> <long sound>
//   pulse_roundtrip check <recording> <program folder> <sound>...
//       finds one loud stretch per sound in the recording and checks that each
//       lasts as long as the loud part of its file: nothing cut at either end.

#include "platform/paths.h"
#include "platform/sound/pulsesound.h"
#include "platform/sound/sounddecode.h"

#include <QFile>
#include <QString>

#include <sndfile.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

// Low enough to take in the fade at each end of a sound.
constexpr double kThreshold = 0.001;

std::vector<double> mono(const oravians::DecodedSound& d)
{
    std::vector<double> m(d.samples.size() / size_t(d.channels));
    for (size_t i = 0; i < m.size(); ++i) {
        double s = 0;
        for (int c = 0; c < d.channels; ++c)
            s += d.samples[i * size_t(d.channels) + size_t(c)];
        m[i] = s / d.channels / 32768.0;
    }
    return m;
}

struct Span {
    size_t begin, end; // samples
    double peak;
};

// Loud stretches, joined across quiet moments shorter than `bridge` samples.
std::vector<Span> spans(const std::vector<double>& x, size_t bridge)
{
    std::vector<Span> out;
    size_t quiet = 0;
    bool in = false;
    for (size_t i = 0; i < x.size(); ++i) {
        const double a = std::abs(x[i]);
        if (a >= kThreshold) {
            if (!in) {
                out.push_back({i, i + 1, a});
                in = true;
            }
            out.back().end = i + 1;
            out.back().peak = std::max(out.back().peak, a);
            quiet = 0;
        } else if (in && ++quiet > bridge) {
            in = false;
        }
    }
    return out;
}

int play(int argc, char** argv)
{
    oravians::ContentRoot::set(QString::fromLocal8Bit(argv[2]));
    oravians::PulseSound sound;
    int n = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 3; i < argc; ++i, ++n) {
        std::printf("%-16s played at %.3f s\n", argv[i],
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        sound.play(QString::fromLocal8Bit(argv[i]));
        if (!sound.waitUntilIdle(15000)) {
            std::fprintf(stderr, "%s did not finish\n", argv[i]);
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
    }
    if (sound.soundsCompleted() != n) {
        std::fprintf(stderr, "played %d of %d sounds to the end (connection attempts: %d)\n", sound.soundsCompleted(), n,
                     sound.connectionAttempts());
        return 1;
    }
    return 0;
}

// A long sound, then a click before it ends: the long one stops and the click
// plays whole, well before the long one would have finished.
int interrupt(int argc, char** argv)
{
    (void)argc;
    oravians::ContentRoot::set(QString::fromLocal8Bit(argv[2]));
    const auto longSound = oravians::decodeSound(oravians::resolveContentPath(QString::fromLocal8Bit(argv[3]), QString::fromLocal8Bit(argv[2])));
    if (!longSound)
        return 1;
    oravians::PulseSound sound;
    sound.play(QString::fromLocal8Bit(argv[3]));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const auto asked = std::chrono::steady_clock::now();
    sound.play(QString::fromLocal8Bit(argv[4]));
    if (!sound.waitUntilIdle(15000))
        return 1;
    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - asked).count();
    const double wouldHaveTaken = longSound->seconds() - 0.3;
    std::printf("interrupted %s: idle %.3f s after the click (the long sound had %.3f s left), completed %d\n", argv[3], took,
                wouldHaveTaken, sound.soundsCompleted());
    return sound.soundsCompleted() == 1 && took < wouldHaveTaken / 2 ? 0 : 1;
}

// An idle connection is closed and opened again for the next sound.
int reconnect(char** argv)
{
    oravians::ContentRoot::set(QString::fromLocal8Bit(argv[2]));
    oravians::PulseSound::Options options;
    options.closeWhenIdleMs = 100;
    oravians::PulseSound sound(options);
    for (int i = 0; i < 2; ++i) {
        sound.play(QString::fromLocal8Bit(argv[3]));
        if (!sound.waitUntilIdle(15000))
            return 1;
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
    }
    std::printf("reconnect: %d sounds completed over %d connections\n", sound.soundsCompleted(), sound.connectionAttempts());
    return sound.soundsCompleted() == 2 && sound.connectionAttempts() == 2 ? 0 : 1;
}

// Plays a sound, and another one after `pause` ms; the script stops the
// server in between. Both requests must come back, however the server left.
int survive(char** argv)
{
    oravians::ContentRoot::set(QString::fromLocal8Bit(argv[2]));
    oravians::PulseSound sound;
    sound.play(QString::fromLocal8Bit(argv[3]));
    if (!sound.waitUntilIdle(15000))
        return 1;
    sound.play(QString::fromLocal8Bit(argv[3]));
    if (!sound.waitUntilIdle(15000))
        return 1;
    std::printf("server gone: %d of 2 sounds completed\n", sound.soundsCompleted());
    return 0;
}

int check(int argc, char** argv)
{
    const auto rec = oravians::decodeSound(QString::fromLocal8Bit(argv[2]));
    if (!rec) {
        std::fprintf(stderr, "cannot read the recording %s\n", argv[2]);
        return 1;
    }
    const std::vector<double> recorded = mono(*rec);
    const std::vector<Span> found = spans(recorded, size_t(rec->rate) / 5);
    const int expected = argc - 4;
    if (int(found.size()) != expected) {
        std::fprintf(stderr, "expected %d sounds in the recording, found %zu\n", expected, found.size());
        return 1;
    }
    int failures = 0;
    for (int i = 0; i < expected; ++i) {
        const QString rel = QString::fromLocal8Bit(argv[4 + i]);
        const auto file = oravians::decodeSound(oravians::resolveContentPath(rel, QString::fromLocal8Bit(argv[3])));
        if (!file) {
            std::fprintf(stderr, "cannot read %s\n", argv[4 + i]);
            return 1;
        }
        const std::vector<double> source = mono(*file);
        const std::vector<Span> own = spans(source, size_t(file->rate) / 5);
        if (own.empty()) {
            std::fprintf(stderr, "%s is silent\n", argv[4 + i]);
            return 1;
        }
        const double want = double(own.back().end - own.front().begin) / file->rate;
        const double got = double(found[size_t(i)].end - found[size_t(i)].begin) / rec->rate;
        const double peakRatio = found[size_t(i)].peak / own.front().peak;
        const bool ok = std::abs(got - want) <= 0.005 && peakRatio > 0.8 && peakRatio < 1.25;
        std::printf("%-16s file %.4f s, heard %.4f s, level %.2f  %s\n", argv[4 + i], want, got, peakRatio, ok ? "ok" : "WRONG");
        failures += ok ? 0 : 1;
    }
    return failures ? 1 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 4 && QString::fromLatin1(argv[1]) == QLatin1String("play"))
        return play(argc, argv);
    if (argc == 4 && QString::fromLatin1(argv[1]) == QLatin1String("reconnect"))
        return reconnect(argv);
    if (argc == 4 && QString::fromLatin1(argv[1]) == QLatin1String("survive"))
        return survive(argv);
    if (argc == 5 && QString::fromLatin1(argv[1]) == QLatin1String("interrupt"))
        return interrupt(argc, argv);
    if (argc >= 5 && QString::fromLatin1(argv[1]) == QLatin1String("check"))
        return check(argc, argv);
    std::fprintf(stderr, "usage: pulse_roundtrip play <folder> <sound>... | check <recording> <folder> <sound>...\n");
    return 2;
}
