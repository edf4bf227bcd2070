#pragma once

// Small, deterministic sound synthesis kit for the generated sounds: every
// source of randomness is a seeded generator, so each build writes the same bytes.

#include <cstdint>
#include <vector>

namespace genmedia {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2 * kPi;

using Wave = std::vector<float>;

inline int samplesFor(double seconds) { return int(seconds * kRate + 0.5); }

// xorshift64*: fast, and the same sequence on every platform.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : s_(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) { next(); }
    std::uint64_t next()
    {
        s_ ^= s_ >> 12;
        s_ ^= s_ << 25;
        s_ ^= s_ >> 27;
        return s_ * 0x2545F4914F6CDD1Dull;
    }
    double uniform() { return double(next() >> 11) * (1.0 / 9007199254740992.0); } // [0, 1)
    double range(double a, double b) { return a + (b - a) * uniform(); }
    float noise() { return float(uniform() * 2 - 1); }

private:
    std::uint64_t s_;
};

// RBJ biquad filters.
class Biquad {
public:
    static Biquad lowpass(double freq, double q = 0.7071);
    static Biquad highpass(double freq, double q = 0.7071);
    // Band-pass with 0 dB gain at the centre.
    static Biquad bandpass(double freq, double q);
    float process(float x)
    {
        const double y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        return float(y);
    }

private:
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double z1 = 0, z2 = 0;
};

// One cycle of a periodic waveform built from harmonic amplitudes, read with
// linear interpolation; much cheaper than summing sines per sample.
class Table {
public:
    // amps[k-1] is the amplitude of harmonic k (sine phase).
    explicit Table(const std::vector<double>& amps);
    float at(double phase) const; // phase in cycles, any value

private:
    std::vector<float> t_;
};

// Harmonic amplitudes amp(k) = 1 / k^slope for every harmonic below maxFreq.
std::vector<double> slopeHarmonics(double freq, double slope, double maxFreq = 8000);

// Adds src into dst starting at the given time, growing dst when needed.
void mixInto(Wave& dst, const Wave& src, double atSeconds, float gain = 1.0f);

// Attack / exponential decay envelope value at time t.
double percussive(double t, double attack, double decayTau);

// Removes any DC, scales the peak to `peak`, applies short fades at both
// ends and appends 150 ms of silence (some players cut a sound's last ~130 ms).
void finish(Wave& w, double peak = 0.89, double fadeIn = 0.002, double fadeOut = 0.006);

// Seconds of silence appended by finish().
constexpr double kTailPadding = 0.15;

} // namespace genmedia
