// The program's sounds, each synthesised from scratch.

#include "media.h"
#include "synth.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace genmedia {

namespace {

double midiFreq(double note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

// Clamp-free soft saturation, for horns that should sound a little rough.
float soft(float x, float drive) { return float(std::tanh(x * drive) / std::tanh(drive)); }

void normalise(Wave& w, double peak)
{
    double top = 0;
    for (float s : w)
        top = std::max(top, double(std::abs(s)));
    if (top > 0)
        for (float& s : w)
            s = float(s * peak / top);
}

// ---- percussive building blocks ----

Wave clapOnce(Rng& rng, double centre, double q, double tau)
{
    // A hand clap is a few micro-bursts of band-passed noise within ~10 ms.
    Wave w(size_t(samplesFor(0.09)), 0.0f);
    Biquad bp = Biquad::bandpass(centre, q);
    const int bursts = 2 + int(rng.uniform() * 2);
    std::array<double, 4> at{};
    for (int b = 0; b < bursts; ++b)
        at[b] = b * rng.range(0.0025, 0.0045);
    for (size_t i = 0; i < w.size(); ++i) {
        const double t = double(i) / kRate;
        double env = 0;
        for (int b = 0; b < bursts; ++b)
            env += (b + 1 == bursts ? 1.0 : 0.55) * percussive(t - at[b], 0.0006, b + 1 == bursts ? tau : 0.0025);
        w[i] = bp.process(rng.noise()) * float(env);
    }
    return w;
}

Wave applause(std::uint64_t seed, int clappers, double seconds, double rampUp, double rampDown, double rate,
              double lowCentre, double highCentre)
{
    Rng rng(seed);
    Wave w(size_t(samplesFor(seconds)), 0.0f);
    for (int c = 0; c < clappers; ++c) {
        const double centre = rng.range(lowCentre, highCentre);
        const double q = rng.range(1.2, 2.6);
        const double tau = rng.range(0.007, 0.016);
        const double period = 1.0 / rng.range(rate * 0.8, rate * 1.25);
        const double level = rng.range(0.35, 1.0);
        const double stop = seconds - rng.range(0.05, rampDown);
        double t = rng.range(0.0, rampUp);
        while (t < stop) {
            const Wave clap = clapOnce(rng, centre * rng.range(0.95, 1.05), q, tau);
            const double fade = std::min(1.0, (stop - t) / std::max(0.05, rampDown * 0.6));
            mixInto(w, clap, t, float(level * fade * rng.range(0.75, 1.0)));
            t += period * rng.range(0.9, 1.1);
        }
    }
    w.resize(size_t(samplesFor(seconds)));
    return w;
}

// ---- tonal building blocks ----

// A brass note: a dark and a bright spectrum cross-faded by a brightness
// envelope, with a small pitch scoop at the start and late vibrato.
Wave brassNote(double freq, double seconds, double loudness, std::uint64_t seed)
{
    Rng rng(seed);
    const Table dark(slopeHarmonics(freq, 2.3, 7000));
    const Table bright(slopeHarmonics(freq, 0.9, 9000));
    Wave w(size_t(samplesFor(seconds + 0.08)), 0.0f);
    double phase = rng.uniform();
    const double vibPhase = rng.uniform() * kTwoPi;
    for (size_t i = 0; i < w.size(); ++i) {
        const double t = double(i) / kRate;
        const double scoop = 1.0 - 0.025 * std::exp(-t / 0.018);
        const double vib = t > 0.15 ? 0.004 * std::min(1.0, (t - 0.15) / 0.2) * std::sin(kTwoPi * 5.6 * t + vibPhase) : 0;
        phase += freq * scoop * (1 + vib) / kRate;
        double amp;
        if (t < 0.03)
            amp = t / 0.03 * 1.15;
        else if (t < 0.09)
            amp = 1.15 - 0.15 * (t - 0.03) / 0.06;
        else
            amp = 1.0;
        if (t > seconds)
            amp *= std::max(0.0, 1 - (t - seconds) / 0.08);
        const double b = std::min(1.0, t / 0.04) * (0.65 + 0.35 * std::exp(-t / 0.25)) * loudness;
        w[i] = float(amp * loudness * ((1 - b) * dark.at(phase) + b * bright.at(phase)));
    }
    return w;
}

struct Note {
    double midi;
    double start;
    double length;
    double loud;
};

Wave brassLine(const std::vector<Note>& notes, std::uint64_t seed)
{
    Wave w;
    for (size_t n = 0; n < notes.size(); ++n)
        mixInto(w, brassNote(midiFreq(notes[n].midi), notes[n].length, notes[n].loud, seed + n), notes[n].start);
    return w;
}

// A sung vowel: a pulse-like source through three formant band-passes,
// with three slightly detuned copies for a choir's width.
Wave voice(double freq, double seconds, std::array<double, 3> formants, double attack, double release,
           std::uint64_t seed, double glide = 0)
{
    Rng rng(seed);
    const Table src(slopeHarmonics(freq, 1.0, 5000));
    Wave w(size_t(samplesFor(seconds)), 0.0f);
    for (int copy = 0; copy < 3; ++copy) {
        const double detune = 1 + (copy - 1) * 0.0035 + rng.range(-0.001, 0.001);
        double phase = rng.uniform();
        const double vibRate = rng.range(4.6, 5.8), vibPhase = rng.uniform() * kTwoPi;
        Biquad f1 = Biquad::bandpass(formants[0], 5), f2 = Biquad::bandpass(formants[1], 7), f3 = Biquad::bandpass(formants[2], 9);
        for (size_t i = 0; i < w.size(); ++i) {
            const double t = double(i) / kRate;
            const double g = 1 + glide * std::min(1.0, t / std::max(0.01, seconds * 0.5));
            phase += freq * detune * g * (1 + 0.006 * std::sin(kTwoPi * vibRate * t + vibPhase)) / kRate;
            const float s = src.at(phase);
            double env = std::min(1.0, t / attack);
            if (t > seconds - release)
                env *= std::max(0.0, (seconds - t) / release);
            w[i] += float(env * (f1.process(s) + 0.6 * f2.process(s) + 0.25 * f3.process(s)));
        }
    }
    return w;
}

constexpr std::array<double, 3> kAh{750, 1150, 2600};
constexpr std::array<double, 3> kEh{550, 1770, 2500};
constexpr std::array<double, 3> kOo{360, 900, 2300};
constexpr std::array<double, 3> kAy{480, 2000, 2700};

// ---- the sounds ----

Wave click()
{
    Rng rng(11);
    Wave w(size_t(samplesFor(0.045)), 0.0f);
    Biquad bp = Biquad::bandpass(3400, 1.3);
    for (size_t i = 0; i < w.size(); ++i) {
        const double t = double(i) / kRate;
        const double body = std::sin(kTwoPi * 1900 * t) * percussive(t, 0.0004, 0.004) +
                            0.4 * std::sin(kTwoPi * 5300 * t) * percussive(t, 0.0003, 0.002);
        w[i] = float(0.9 * bp.process(rng.noise()) * percussive(t, 0.0003, 0.005) + 0.5 * body);
    }
    finish(w, 0.7, 0.0008, 0.01);
    return w;
}

Wave typekey()
{
    Rng rng(12);
    Wave w(size_t(samplesFor(0.16)), 0.0f);
    Biquad hp = Biquad::highpass(2200);
    Biquad bp = Biquad::bandpass(1200, 2);
    for (size_t i = 0; i < w.size(); ++i) {
        const double t = double(i) / kRate;
        // The type bar striking the platen: a sharp tick with a metallic ring...
        double s = 0.9 * hp.process(rng.noise()) * percussive(t, 0.0003, 0.003);
        s += 0.35 * (std::sin(kTwoPi * 2350 * t) + 0.7 * std::sin(kTwoPi * 3810 * t) + 0.5 * std::sin(kTwoPi * 5270 * t)) *
             percussive(t, 0.0005, 0.022);
        s += 0.6 * std::sin(kTwoPi * 170 * t) * percussive(t, 0.001, 0.018);
        // ...and the key coming back up a moment later.
        s += 0.45 * bp.process(rng.noise()) * percussive(t - 0.055, 0.0005, 0.008);
        w[i] = float(s);
    }
    finish(w, 0.75, 0.0005, 0.01);
    return w;
}

Wave thud()
{
    Rng rng(13);
    Wave w(size_t(samplesFor(0.32)), 0.0f);
    Biquad lp = Biquad::lowpass(320);
    double phase = 0;
    for (size_t i = 0; i < w.size(); ++i) {
        const double t = double(i) / kRate;
        const double f = 55 + 65 * std::exp(-t / 0.05);
        phase += f / kRate;
        double s = std::sin(kTwoPi * phase) * percussive(t, 0.003, 0.075);
        s += 0.8 * lp.process(rng.noise()) * percussive(t, 0.001, 0.025);
        w[i] = float(s);
    }
    finish(w, 0.8, 0.002, 0.03);
    return w;
}

Wave hallelujah()
{
    // Four syllables then a long swelling final chord.
    struct Syllable {
        std::array<double, 4> chord;
        std::array<double, 3> vowel;
        double start, length;
    };
    const std::vector<Syllable> syl = {
        {{48, 64, 67, 72}, kAh, 0.00, 0.34},
        {{53, 65, 69, 72}, kEh, 0.32, 0.34},
        {{48, 64, 67, 72}, kOo, 0.64, 0.42},
        {{43, 62, 67, 71}, kAy, 1.04, 0.34},
        {{48, 64, 67, 76}, kAh, 1.36, 1.40},
    };
    Wave w;
    std::uint64_t seed = 100;
    for (const Syllable& s : syl) {
        const bool last = &s == &syl.back();
        for (double note : s.chord) {
            Wave v = voice(midiFreq(note), s.length, s.vowel, last ? 0.5 : 0.05, last ? 0.45 : 0.06, seed++);
            mixInto(w, v, s.start, note < 50 ? 0.8f : 1.0f);
        }
    }
    finish(w, 0.85, 0.01, 0.1);
    return w;
}

Wave fanfare2()
{
    // Three quick repeated notes and a long one, with a second trumpet below.
    Wave w = brassLine({{67, 0.00, 0.11, 0.8}, {67, 0.15, 0.11, 0.8}, {67, 0.30, 0.11, 0.85}, {72, 0.45, 0.85, 1.0}}, 200);
    mixInto(w, brassLine({{64, 0.45, 0.85, 0.7}, {60, 0.45, 0.85, 0.6}}, 210), 0);
    finish(w, 0.88, 0.002, 0.05);
    return w;
}

Wave fanfare3()
{
    // A bright rising arpeggio to a held top note.
    Wave w = brassLine({{72, 0.00, 0.13, 0.85}, {76, 0.15, 0.13, 0.85}, {79, 0.30, 0.13, 0.9}, {84, 0.45, 0.16, 0.95},
                        {79, 0.64, 0.12, 0.85}, {84, 0.78, 0.75, 1.0}},
                       300);
    mixInto(w, brassLine({{76, 0.78, 0.75, 0.7}, {72, 0.78, 0.75, 0.6}}, 320), 0);
    finish(w, 0.88, 0.002, 0.05);
    return w;
}

Wave fanfare4()
{
    // Low horns: long-short-short-long over a pedal note.
    Wave w = brassLine({{53, 0.00, 0.38, 0.9}, {60, 0.42, 0.13, 0.8}, {65, 0.58, 0.13, 0.85}, {69, 0.74, 0.13, 0.9},
                        {72, 0.90, 1.0, 1.0}},
                       400);
    mixInto(w, brassLine({{41, 0.0, 1.9, 0.6}}, 420), 0, 0.9f);
    mixInto(w, brassLine({{65, 0.90, 1.0, 0.7}, {69, 0.90, 1.0, 0.6}}, 430), 0);
    finish(w, 0.88, 0.002, 0.06);
    return w;
}

Wave bellStrike(double freq, double seconds, double level)
{
    Wave w(size_t(samplesFor(seconds)), 0.0f);
    const std::array<double, 5> ratio{1.0, 2.76, 5.40, 8.93, 13.34};
    const std::array<double, 5> amp{1.0, 0.55, 0.35, 0.2, 0.1};
    const std::array<double, 5> tau{0.5, 0.25, 0.12, 0.07, 0.04};
    for (size_t i = 0; i < w.size(); ++i) {
        const double t = double(i) / kRate;
        double s = 0;
        for (int k = 0; k < 5; ++k)
            if (freq * ratio[k] < 16000)
                s += amp[k] * std::sin(kTwoPi * freq * ratio[k] * t) * percussive(t, 0.0008, tau[k]);
        w[i] = float(s * level);
    }
    return w;
}

Wave slotPayoff()
{
    Rng rng(14);
    Wave w;
    // Bells ringing up, twice.
    const std::array<double, 4> bells{88, 91, 96, 100};
    for (int round = 0; round < 2; ++round)
        for (size_t b = 0; b < bells.size(); ++b)
            mixInto(w, bellStrike(midiFreq(bells[b]), 0.6, 0.5), round * 0.5 + b * 0.1);
    // Coins tumbling into the tray.
    for (int c = 0; c < 34; ++c) {
        const double at = 0.15 + 1.3 * std::pow(rng.uniform(), 0.8);
        const double f1 = rng.range(3800, 6200), f2 = f1 * rng.range(1.9, 2.4);
        Wave coin(size_t(samplesFor(0.12)), 0.0f);
        for (size_t i = 0; i < coin.size(); ++i) {
            const double t = double(i) / kRate;
            coin[i] = float((std::sin(kTwoPi * f1 * t) + 0.6 * std::sin(kTwoPi * f2 * t)) * percussive(t, 0.0005, 0.03) +
                            0.5 * rng.noise() * percussive(t, 0.0002, 0.002));
        }
        mixInto(w, coin, at, float(rng.range(0.15, 0.35)));
    }
    finish(w, 0.85, 0.002, 0.08);
    return w;
}

Wave crowdVoices(std::uint64_t seed, int count, double seconds, double lowHz, double highHz, double glide,
                 const std::vector<std::array<double, 3>>& vowels, double maxStart)
{
    Rng rng(seed);
    Wave w(size_t(samplesFor(seconds)), 0.0f);
    for (int v = 0; v < count; ++v) {
        const double start = rng.range(0, maxStart);
        const double len = std::min(seconds - start - 0.05, rng.range(0.6, 1.6));
        if (len < 0.2)
            continue;
        const auto& vowel = vowels[size_t(rng.uniform() * vowels.size())];
        Wave one = voice(rng.range(lowHz, highHz), len, vowel, rng.range(0.05, 0.2), rng.range(0.15, 0.4), seed * 1000 + v,
                         glide * rng.range(0.5, 1.0));
        mixInto(w, one, start, float(rng.range(0.3, 1.0)));
    }
    w.resize(size_t(samplesFor(seconds)));
    return w;
}

Wave crowd()
{
    const double len = 2.6;
    Wave w = crowdVoices(15, 34, len, 140, 360, 0.12, {kAh, kAy, kEh}, 0.9);
    normalise(w, 1.0);
    // The roar underneath: band-limited noise swelling and fading.
    Rng rng(16);
    Biquad hp = Biquad::highpass(350), lp = Biquad::lowpass(2600);
    Wave roar(w.size(), 0.0f);
    for (size_t i = 0; i < w.size(); ++i) {
        const double t = double(i) / kRate;
        const double env = std::min(1.0, t / 0.6) * std::min(1.0, (len - t) / 0.9);
        roar[i] = float(env * lp.process(hp.process(rng.noise())));
    }
    normalise(roar, 1.0);
    for (size_t i = 0; i < w.size(); ++i)
        w[i] = 0.75f * w[i] + 0.35f * roar[i];
    finish(w, 0.85, 0.02, 0.2);
    return w;
}

Wave cheer2()
{
    const double len = 2.1;
    // Whooping voices that glide right up...
    Wave w = crowdVoices(17, 14, len, 260, 480, 0.7, {kOo, kAh}, 0.5);
    normalise(w, 0.8);
    // ...two finger whistles...
    for (int k = 0; k < 2; ++k) {
        Wave wh(size_t(samplesFor(0.9)), 0.0f);
        double phase = 0;
        for (size_t i = 0; i < wh.size(); ++i) {
            const double t = double(i) / kRate;
            const double f = (k ? 2300 : 2000) + 700 * std::min(1.0, t / 0.15) + 40 * std::sin(kTwoPi * 6 * t);
            phase += f / kRate;
            wh[i] = float(std::sin(kTwoPi * phase) * std::min(1.0, t / 0.05) * std::min(1.0, (0.9 - t) / 0.2));
        }
        mixInto(w, wh, 0.25 + k * 0.65, 0.22f);
    }
    // ...and a few people clapping along.
    Wave claps = applause(18, 6, len, 0.3, 0.4, 4.0, 1000, 1800);
    normalise(claps, 1.0);
    mixInto(w, claps, 0, 0.3f);
    finish(w, 0.85, 0.01, 0.15);
    return w;
}

Wave klaxon()
{
    // Two "a-oo-ga" honks: a buzzy reed wave that rises, holds and drops.
    const Table reed({1, 0.15, 0.6, 0.1, 0.45, 0.08, 0.3, 0.05, 0.2, 0.04, 0.12});
    Wave w;
    for (int honk = 0; honk < 2; ++honk) {
        Wave h(size_t(samplesFor(0.62)), 0.0f);
        Biquad horn = Biquad::bandpass(950, 1.5);
        double phase = 0;
        for (size_t i = 0; i < h.size(); ++i) {
            const double t = double(i) / kRate;
            double f;
            if (t < 0.16)
                f = 170 + 160 * (t / 0.16);
            else if (t < 0.46)
                f = 330;
            else
                f = 330 - 90 * std::min(1.0, (t - 0.46) / 0.06);
            phase += f / kRate;
            const double env = std::min(1.0, t / 0.02) * std::min(1.0, (0.62 - t) / 0.05);
            const float x = soft(reed.at(phase), 2.5f);
            h[i] = float(env * (0.5 * x + 1.4 * horn.process(x)));
        }
        mixInto(w, h, honk * 0.72);
    }
    finish(w, 0.85, 0.003, 0.03);
    return w;
}

Wave flute()
{
    // A cheerful little tune of our own.
    const std::vector<Note> tune = {{79, 0.00, 0.17, 1}, {81, 0.18, 0.17, 1}, {83, 0.36, 0.17, 1}, {86, 0.54, 0.34, 1},
                                    {83, 0.90, 0.17, 1}, {88, 1.08, 0.34, 1}, {86, 1.44, 0.17, 1}, {91, 1.62, 0.75, 1}};
    Rng rng(19);
    Wave w;
    for (const Note& n : tune) {
        const double f = midiFreq(n.midi);
        Wave tone(size_t(samplesFor(n.length + 0.06)), 0.0f);
        Biquad breath = Biquad::bandpass(f * 2, 3);
        double phase = 0;
        for (size_t i = 0; i < tone.size(); ++i) {
            const double t = double(i) / kRate;
            const double vib = t > 0.12 ? 0.005 * std::sin(kTwoPi * 5.1 * t) : 0;
            phase += f * (1 + vib) / kRate;
            double env = std::min(1.0, t / 0.035);
            if (t > n.length)
                env *= std::max(0.0, 1 - (t - n.length) / 0.06);
            const double chiff = std::exp(-t / 0.03);
            const double s = std::sin(kTwoPi * phase) + 0.22 * std::sin(2 * kTwoPi * phase) + 0.07 * std::sin(3 * kTwoPi * phase);
            tone[i] = float(env * (s + (0.08 + 0.5 * chiff) * breath.process(rng.noise())));
        }
        mixInto(w, tone, n.start);
    }
    finish(w, 0.8, 0.005, 0.05);
    return w;
}

Wave gong()
{
    Rng rng(20);
    const double len = 3.0, f0 = 92;
    const std::array<double, 11> ratio{1.0, 1.47, 1.98, 2.44, 2.97, 3.58, 4.21, 4.93, 5.61, 6.37, 7.22};
    Wave w(size_t(samplesFor(len)), 0.0f);
    std::array<double, 11> phases{};
    for (double& p : phases)
        p = rng.uniform() * kTwoPi;
    Biquad lp = Biquad::lowpass(900);
    for (size_t i = 0; i < w.size(); ++i) {
        const double t = double(i) / kRate;
        double s = 0;
        for (size_t k = 0; k < ratio.size(); ++k) {
            const double f = f0 * ratio[k] * (1 - 0.004 * std::exp(-t / 0.4)); // slight pitch settle
            const double tau = 2.4 / (1 + 0.45 * k);
            const double bloom = k >= 3 ? std::min(1.0, 0.35 + t / 0.25) : 1.0; // upper partials swell in
            const double a = 1.0 / (1 + 0.35 * k);
            s += a * bloom * std::exp(-t / tau) * (std::sin(kTwoPi * f * t + phases[k]) + 0.6 * std::sin(kTwoPi * (f + 0.35) * t));
        }
        s += 1.2 * lp.process(rng.noise()) * percussive(t, 0.001, 0.012); // the mallet
        const double tail = t > len - 0.6 ? (len - t) / 0.6 : 1.0;
        w[i] = float(s * tail);
    }
    finish(w, 0.85, 0.001, 0.05);
    return w;
}

Wave clap2()
{
    Wave w = applause(21, 9, 2.2, 0.25, 0.7, 3.6, 900, 1900);
    finish(w, 0.85, 0.005, 0.1);
    return w;
}

Wave clap3()
{
    // A big hall: many clappers, a swell and a long tail.
    const double len = 2.8;
    Wave w = applause(22, 36, len, 0.5, 1.1, 5.0, 1300, 2800);
    Rng rng(23);
    Biquad lp = Biquad::lowpass(1200);
    for (size_t i = 0; i < w.size(); ++i) {
        const double t = double(i) / kRate;
        const double env = std::min(1.0, t / 0.5) * std::min(1.0, (len - t) / 1.0);
        w[i] += float(0.25 * env * lp.process(rng.noise()));
    }
    finish(w, 0.85, 0.01, 0.2);
    return w;
}

Wave drumroll()
{
    Rng rng(24);
    Wave w;
    auto stroke = [&](double level, double snareTau) {
        Wave s(size_t(samplesFor(0.12)), 0.0f);
        Biquad hp = Biquad::highpass(1600);
        for (size_t i = 0; i < s.size(); ++i) {
            const double t = double(i) / kRate;
            s[i] = float(level * (0.8 * hp.process(rng.noise()) * percussive(t, 0.0005, snareTau) +
                                  0.6 * std::sin(kTwoPi * 190 * t) * percussive(t, 0.0005, 0.02)));
        }
        return s;
    };
    const double rollEnd = 1.55;
    for (double t = 0; t < rollEnd; t += 1.0 / 28) {
        const double level = (0.25 + 0.55 * t / rollEnd) * rng.range(0.85, 1.0);
        mixInto(w, stroke(level, 0.045), t + rng.range(-0.002, 0.002));
    }
    // The final hit: snare, bass drum and a crash cymbal.
    mixInto(w, stroke(1.0, 0.12), rollEnd + 0.04);
    Wave hit(size_t(samplesFor(0.75)), 0.0f);
    Biquad hp = Biquad::highpass(4500);
    double phase = 0;
    for (size_t i = 0; i < hit.size(); ++i) {
        const double t = double(i) / kRate;
        phase += (55 + 60 * std::exp(-t / 0.03)) / kRate;
        const double tail = std::min(1.0, (0.75 - t) / 0.25);
        hit[i] = float(tail * (1.0 * std::sin(kTwoPi * phase) * percussive(t, 0.001, 0.12) +
                               0.5 * hp.process(rng.noise()) * percussive(t, 0.001, 0.35)));
    }
    mixInto(w, hit, rollEnd + 0.04);
    finish(w, 0.88, 0.003, 0.05);
    return w;
}

Wave laser()
{
    auto zap = [](double seconds) {
        Wave z(size_t(samplesFor(seconds)), 0.0f);
        double phase = 0;
        for (size_t i = 0; i < z.size(); ++i) {
            const double t = double(i) / kRate;
            const double f = 2600 * std::pow(180.0 / 2600, t / seconds) * (1 + 0.08 * std::sin(kTwoPi * 55 * t));
            phase += f / kRate;
            const double sq = std::sin(kTwoPi * phase) + 0.33 * std::sin(3 * kTwoPi * phase) + 0.2 * std::sin(5 * kTwoPi * phase);
            z[i] = float(sq * std::min(1.0, t / 0.004) * std::exp(-t / (seconds * 0.6)));
        }
        return z;
    };
    Wave w = zap(0.38);
    mixInto(w, zap(0.3), 0.42, 0.55f);
    mixInto(w, zap(0.22), 0.66, 0.3f);
    finish(w, 0.8, 0.002, 0.03);
    return w;
}

Wave whizz()
{
    Rng rng(25);
    const double rise = 1.25, len = 1.95;
    Wave w(size_t(samplesFor(len)), 0.0f);
    Biquad hiss = Biquad::highpass(3000);
    Biquad boom = Biquad::lowpass(700);
    double phase = 0;
    for (size_t i = 0; i < w.size(); ++i) {
        const double t = double(i) / kRate;
        double s = 0;
        if (t < rise) {
            phase += 500 * std::pow(3300.0 / 500, t / rise) / kRate;
            const double env = 0.3 + 0.7 * t / rise;
            s += env * (std::sin(kTwoPi * phase) + 0.15 * std::sin(2 * kTwoPi * phase));
            s += 0.07 * env * hiss.process(rng.noise());
        }
        s += 1.6 * boom.process(rng.noise()) * percussive(t - rise, 0.002, 0.08);
        w[i] = float(s);
    }
    // Crackles after the bang.
    for (int c = 0; c < 40; ++c) {
        Wave crack(size_t(samplesFor(0.01)), 0.0f);
        for (size_t i = 0; i < crack.size(); ++i)
            crack[i] = float(rng.noise() * percussive(double(i) / kRate, 0.0002, 0.0015));
        mixInto(w, crack, rise + 0.05 + rng.uniform() * 0.55, float(rng.range(0.2, 0.6)));
    }
    w.resize(size_t(samplesFor(len)));
    finish(w, 0.85, 0.003, 0.05);
    return w;
}

Wave clown()
{
    Wave w;
    // Honk-honk of a rubber-bulb horn...
    const Table reed(slopeHarmonics(400, 0.7, 8000));
    for (int honk = 0; honk < 2; ++honk) {
        Wave h(size_t(samplesFor(0.24)), 0.0f);
        Biquad n1 = Biquad::bandpass(1400, 3), n2 = Biquad::bandpass(2800, 4);
        double phase = 0;
        for (size_t i = 0; i < h.size(); ++i) {
            const double t = double(i) / kRate;
            phase += (430 - 40 * t / 0.24) / kRate;
            const float x = soft(reed.at(phase), 3.0f);
            const double env = std::min(1.0, t / 0.015) * std::min(1.0, (0.24 - t) / 0.04);
            h[i] = float(env * (0.3 * x + n1.process(x) + 0.6 * n2.process(x)));
        }
        mixInto(w, h, honk * 0.3);
    }
    // ...then a slide whistle up and down.
    const double slide = 0.95;
    Wave s(size_t(samplesFor(slide)), 0.0f);
    double phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / kRate;
        const double f = t < 0.5 ? 600 * std::pow(3.0, t / 0.5) : 1800 * std::pow(500.0 / 1800, (t - 0.5) / 0.45);
        phase += f * (1 + 0.01 * std::sin(kTwoPi * 7 * t)) / kRate;
        const double env = std::min(1.0, t / 0.03) * std::min(1.0, (slide - t) / 0.08);
        s[i] = float(env * (std::sin(kTwoPi * phase) + 0.1 * std::sin(2 * kTwoPi * phase)));
    }
    mixInto(w, s, 0.7, 0.45f);
    finish(w, 0.85, 0.002, 0.04);
    return w;
}

// International Morse Code, A to Z.
constexpr std::array<const char*, 26> kMorse = {".-",   "-...", "-.-.", "-..",  ".",   "..-.", "--.",  "....", "..",
                                                ".---", "-.-",  ".-..", "--",   "-.",  "---",  ".--.", "--.-", ".-.",
                                                "...",  "-",    "..-",  "...-", ".--",  "-..-", "-.--", "--.."};

Wave morseLetter(int k)
{
    const double unit = 0.08, freq = 700, ramp = 0.005;
    Wave w;
    double at = 0;
    for (const char* c = kMorse[size_t(k)]; *c; ++c) {
        const double len = *c == '-' ? 3 * unit : unit;
        Wave tone(size_t(samplesFor(len)), 0.0f);
        for (size_t i = 0; i < tone.size(); ++i) {
            const double t = double(i) / kRate;
            double env = 1;
            if (t < ramp)
                env = 0.5 - 0.5 * std::cos(kPi * t / ramp);
            else if (t > len - ramp)
                env = 0.5 - 0.5 * std::cos(kPi * (len - t) / ramp);
            tone[i] = float(env * std::sin(kTwoPi * freq * t));
        }
        mixInto(w, tone, at);
        at += len + unit;
    }
    finish(w, 0.7, 0.0, 0.0);
    return w;
}

} // namespace

const char* morseCode(int letter) { return kMorse.at(size_t(letter)); }

std::vector<NamedSound> allSounds()
{
    std::vector<NamedSound> s = {
        {QStringLiteral("wav/click.wav"), click},
        {QStringLiteral("wav/typekey.wav"), typekey},
        {QStringLiteral("wav/thud3.wav"), thud},
        {QStringLiteral("wav/halleluj.wav"), hallelujah},
        {QStringLiteral("wav/fanf4.wav"), fanfare4},
        {QStringLiteral("wav/slot_payoff.wav"), slotPayoff},
        {QStringLiteral("wav/fanf2.wav"), fanfare2},
        {QStringLiteral("wav/fanf3.wav"), fanfare3},
        {QStringLiteral("wav/crowd.wav"), crowd},
        {QStringLiteral("wav/cheer2.wav"), cheer2},
        {QStringLiteral("wav/klaxon.wav"), klaxon},
        {QStringLiteral("wav/flute.wav"), flute},
        {QStringLiteral("wav/gong.wav"), gong},
        {QStringLiteral("wav/clap2.wav"), clap2},
        {QStringLiteral("wav/drumroll.wav"), drumroll},
        {QStringLiteral("wav/laser2.wav"), laser},
        {QStringLiteral("wav/whizz.wav"), whizz},
        {QStringLiteral("wav/clap3.wav"), clap3},
        {QStringLiteral("wav/clown.wav"), clown},
    };
    for (int k = 0; k < 26; ++k)
        s.push_back({QStringLiteral("morse/%1.wav").arg(QChar(char16_t('a' + k))), [k] { return morseLetter(k); }});
    return s;
}

} // namespace genmedia
