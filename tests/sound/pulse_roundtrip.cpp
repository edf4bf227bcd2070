// Helper of pulse_roundtrip.sh.
//   pulse_roundtrip play|reconnect|survive <program folder> <sound>...
//       plays each sound through PulseSound, one after another
//   pulse_roundtrip check <recording> <program folder> <sound>...
//       finds one loud stretch per sound in the recording and checks that each
//       lasts as long as the loud part of its file: nothing cut at either end.
//   pulse_roundtrip scenario <program folder> <plays file>
//       plays sounds in the situations where a start can go missing (first
//       after connecting, after the connection idled away, right after
//       another sound, cutting a long one, in quick succession) and writes
//       when each was asked for to the plays file; a long sound not cut
//       short delays the next one out of where compare looks for it
//   pulse_roundtrip compare <recording> <program folder> <plays file>
//       finds each play in the recording by its content and checks that its
//       audible part arrived sample for sample, its first milliseconds above all

#include "platform/paths.h"
#include "platform/sound/pulsesound.h"
#include "platform/sound/sounddecode.h"

#include <QFile>
#include <QString>

#include <sndfile.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
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

std::optional<oravians::DecodedSound> programSound(const QString& relative, const char* folder)
{
    return oravians::decodeSound(oravians::resolveContentPath(relative, QString::fromLocal8Bit(folder)));
}

// The recording's samples, mono, and its rate; the helper stops if it cannot be read.
std::pair<std::vector<double>, int> recording(const char* path)
{
    const auto rec = oravians::decodeSound(QString::fromLocal8Bit(path));
    if (!rec) {
        std::fprintf(stderr, "cannot read the recording %s\n", path);
        std::exit(1);
    }
    return {mono(*rec), rec->rate};
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

// Plays each sound to its end, one after another. reconnect: an idle
// connection is closed after 100 ms and opened again for the next sound.
// survive: the script stops the server in between; every request must come
// back, however the server left.
int play(const std::string& mode, int argc, char** argv)
{
    oravians::PulseSound::Options options;
    if (mode == "reconnect")
        options.closeWhenIdleMs = 100;
    oravians::PulseSound sound(QString::fromLocal8Bit(argv[2]), options);
    const int n = argc - 3;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 3; i < argc; ++i) {
        std::printf("%-16s played at %.3f s\n", argv[i],
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        sound.play(QString::fromLocal8Bit(argv[i]));
        if (!sound.waitUntilIdle(15000)) {
            std::fprintf(stderr, "%s did not finish\n", argv[i]);
            return 1;
        }
        if (mode != "survive")
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
    }
    std::printf("%s: %d of %d sounds played to the end over %d connections\n", mode.c_str(), sound.soundsCompleted(), n,
                sound.connectionAttempts());
    return mode == "survive"
               || (sound.soundsCompleted() == n && (mode != "reconnect" || sound.connectionAttempts() == n)) ? 0 : 1;
}

int check(int argc, char** argv)
{
    const auto [recorded, recRate] = recording(argv[2]);
    const std::vector<Span> found = spans(recorded, size_t(recRate) / 5);
    const int expected = argc - 4;
    if (int(found.size()) != expected) {
        std::fprintf(stderr, "expected %d sounds in the recording, found %zu\n", expected, found.size());
        return 1;
    }
    int failures = 0;
    for (int i = 0; i < expected; ++i) {
        const auto file = programSound(QString::fromLocal8Bit(argv[4 + i]), argv[3]);
        const std::vector<Span> own = file ? spans(mono(*file), size_t(file->rate) / 5) : std::vector<Span>();
        if (own.empty()) {
            std::fprintf(stderr, "%s cannot be read or is silent\n", argv[4 + i]);
            return 1;
        }
        const double want = double(own.back().end - own.front().begin) / file->rate;
        const double got = double(found[size_t(i)].end - found[size_t(i)].begin) / recRate;
        const double peakRatio = found[size_t(i)].peak / own.front().peak;
        const bool ok = std::abs(got - want) <= 0.005 && peakRatio > 0.8 && peakRatio < 1.25;
        std::printf("%-16s file %.4f s, heard %.4f s, level %.2f  %s\n", argv[4 + i], want, got, peakRatio, ok ? "ok" : "WRONG");
        failures += ok ? 0 : 1;
    }
    return failures ? 1 : 0;
}

// One step of the scenario: a sound, then either wait until it has played
// and rest `restMs`, or (waitIdle false) ask for the next one `restMs` later.
// A sound cut off by the next is only heard in part, so not checked.
struct Step {
    const char* sound;
    bool waitIdle;
    int restMs;
    bool cutOff = false;
};

int scenario(char** argv)
{
    const QString folder = QString::fromLocal8Bit(argv[2]);
    oravians::PulseSound::Options options;
    // Rests of 2.5 s let the connection close, so several clicks are the
    // first on a new connection; shorter rests leave it open and silent.
    options.closeWhenIdleMs = 1500;
    oravians::PulseSound sound(folder, options);
    const Step steps[] = {
        {"wav\\click.wav", true, 600},    // first after connecting
        {"wav\\typekey.wav", true, 1000}, // the stream idle for a second
        {"wav\\click.wav", true, 2500},   // the connection closes after it
        {"wav\\click.wav", true, 0},      // first on the new connection
        {"wav\\typekey.wav", true, 0},    // right after another sound
        {"wav\\click.wav", true, 600},
        {"wav\\gong.wav", false, 400, true}, // cut off by the next
        {"wav\\click.wav", true, 600},
        {"wav\\fanf2.wav", false, 300, true}, // cut off by the next
        {"wav\\thud3.wav", true, 600},
        // Quick succession: each asked for while the one before is still
        // in the stream (its trailing silence), each heard whole.
        {"wav\\click.wav", false, 300}, {"wav\\typekey.wav", false, 300}, {"wav\\thud3.wav", false, 300},
        {"wav\\click.wav", false, 300}, {"wav\\typekey.wav", false, 300},
        // Waits short and long, between sounds short and long.
        {"wav\\click.wav", true, 2500}, {"wav\\click.wav", true, 1200}, {"wav\\typekey.wav", true, 2500},
        {"wav\\click.wav", true, 600}, {"wav\\thud3.wav", true, 0}, {"wav\\click.wav", true, 600},
        {"wav\\click.wav", true, 600},
    };
    FILE* out = std::fopen(argv[3], "w");
    if (!out)
        return 1;
    const auto start = std::chrono::steady_clock::now();
    const size_t n = sizeof steps / sizeof steps[0];
    for (size_t i = 0; i < n; ++i) {
        const double at = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        sound.play(QString::fromLatin1(steps[i].sound));
        std::fprintf(out, "%.4f %s %d\n", at, steps[i].sound, steps[i].cutOff ? 0 : 1);
        if (steps[i].waitIdle && !sound.waitUntilIdle(15000)) {
            std::fprintf(stderr, "%s did not finish\n", steps[i].sound);
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(steps[i].restMs));
    }
    std::fclose(out);
    return sound.waitUntilIdle(15000) ? 0 : 1;
}

struct Play {
    double at;
    std::string sound;
    bool whole;
};

// The part of a sound a listener hears: from the first to the last sample
// above 1 % of its peak, at most `limit` samples.
std::vector<double> audible(const std::vector<double>& x, size_t limit)
{
    double peak = 0;
    for (double v : x)
        peak = std::max(peak, std::abs(v));
    size_t b = 0, e = x.size();
    while (b < e && std::abs(x[b]) < peak / 100)
        ++b;
    while (e > b && std::abs(x[e - 1]) < peak / 100)
        --e;
    return std::vector<double>(x.begin() + long(b), x.begin() + long(std::min(e, b + limit)));
}

double dot(const std::vector<double>& a, const std::vector<double>& rec, size_t at, size_t step)
{
    double s = 0;
    for (size_t k = 0; k < a.size() && at + k < rec.size(); k += step)
        s += a[k] * rec[at + k];
    return s;
}

double energy(const std::vector<double>& x, size_t at, size_t n)
{
    double s = 0;
    for (size_t k = 0; k < n && at + k < x.size(); ++k)
        s += x[at + k] * x[at + k];
    return s;
}

int compare(char** argv)
{
    const auto [recorded, recRate] = recording(argv[2]);
    const double rate = recRate;
    std::vector<Play> plays;
    std::ifstream in(argv[4]);
    for (Play p; in >> p.at >> p.sound >> p.whole;)
        plays.push_back(p);
    size_t firstLoud = 0;
    while (firstLoud < recorded.size() && std::abs(recorded[firstLoud]) < kThreshold)
        ++firstLoud;
    int failures = 0;
    int checked = 0;
    // Where the last play that was found lies in the recording, and when it
    // was asked for: the next one is looked for near the same distance on.
    std::optional<std::pair<size_t, double>> anchor;
    for (const Play& p : plays) {
        const auto file = programSound(QString::fromStdString(p.sound), argv[3]);
        if (!file || file->rate != recRate) {
            std::fprintf(stderr, "cannot compare %s with the recording\n", p.sound.c_str());
            return 1;
        }
        const std::vector<double> want = audible(mono(*file), size_t(0.3 * rate));
        // The head: the first 10 ms a listener hears.
        const size_t head = std::min(want.size(), size_t(0.010 * rate));
        double lo, hi;
        if (anchor) {
            const double expected = double(anchor->first) + (p.at - anchor->second) * rate;
            lo = expected - 0.35 * rate;
            hi = expected + 0.35 * rate;
        } else {
            lo = 0;
            hi = double(firstLoud) + 0.5 * rate;
        }
        const size_t from = size_t(std::max(0.0, lo));
        const size_t to = size_t(std::max(0.0, std::min(hi, double(recorded.size()))));
        // Coarse search on every 4th sample, then the exact lag nearby.
        auto bestLag = [&](size_t first, size_t end, size_t step) {
            std::pair<size_t, double> best{first, -1e300};
            for (size_t lag = first; lag < end; ++lag)
                if (const double c = dot(want, recorded, lag, step); c > best.second)
                    best = {lag, c};
            return best;
        };
        const size_t coarse = bestLag(from, to, 4).first;
        const auto [best, bestScore] = bestLag(coarse > 8 ? coarse - 8 : 0, coarse + 9, 1);
        const double fileEnergy = energy(want, 0, want.size());
        const double corr = bestScore / std::sqrt(fileEnergy * std::max(1e-30, energy(recorded, best, want.size())));
        const double headRatio = energy(recorded, best, head) / std::max(1e-30, energy(want, 0, head));
        const bool found = corr > 0.9;
        // The first play fixes where the scenario begins, even half heard.
        if (found || !anchor)
            anchor = std::make_pair(best, p.at);
        if (!p.whole) {
            std::printf("%-16s asked at %6.3f s  heard at %7.3f s  (cut off by the next, not checked)\n", p.sound.c_str(), p.at, best / rate);
            continue;
        }
        ++checked;
        const bool ok = found && headRatio > 0.8 && headRatio < 1.25;
        std::printf("%-16s asked at %6.3f s  heard at %7.3f s  match %.3f  first 10 ms at %3.0f %%  %s\n", p.sound.c_str(), p.at,
                    best / rate, corr, 100 * headRatio, ok ? "ok" : "WRONG");
        failures += ok ? 0 : 1;
    }
    std::printf("%d of %d sounds arrived whole\n", checked - failures, checked);
    return failures || checked == 0 ? 1 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (argc >= 4 && (mode == "play" || mode == "reconnect" || mode == "survive"))
        return play(mode, argc, argv);
    if (argc == 4 && mode == "scenario")
        return scenario(argv);
    if (argc == 5 && mode == "compare")
        return compare(argv);
    if (argc >= 5 && mode == "check")
        return check(argc, argv);
    std::fprintf(stderr, "usage: pulse_roundtrip play <folder> <sound>... | check <recording> <folder> <sound>...\n");
    return 2;
}
