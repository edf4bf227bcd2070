#include "synth.h"

#include <algorithm>
#include <cmath>

namespace genmedia {

namespace {
struct Coeffs {
    double w0, cosw, alpha;
};
Coeffs prepare(double freq, double q)
{
    Coeffs c;
    c.w0 = kTwoPi * freq / kRate;
    c.cosw = std::cos(c.w0);
    c.alpha = std::sin(c.w0) / (2 * q);
    return c;
}
} // namespace

Biquad Biquad::lowpass(double freq, double q)
{
    const Coeffs c = prepare(freq, q);
    const double a0 = 1 + c.alpha;
    Biquad f;
    f.b0 = (1 - c.cosw) / 2 / a0;
    f.b1 = (1 - c.cosw) / a0;
    f.b2 = f.b0;
    f.a1 = -2 * c.cosw / a0;
    f.a2 = (1 - c.alpha) / a0;
    return f;
}

Biquad Biquad::highpass(double freq, double q)
{
    const Coeffs c = prepare(freq, q);
    const double a0 = 1 + c.alpha;
    Biquad f;
    f.b0 = (1 + c.cosw) / 2 / a0;
    f.b1 = -(1 + c.cosw) / a0;
    f.b2 = f.b0;
    f.a1 = -2 * c.cosw / a0;
    f.a2 = (1 - c.alpha) / a0;
    return f;
}

Biquad Biquad::bandpass(double freq, double q)
{
    const Coeffs c = prepare(freq, q);
    const double a0 = 1 + c.alpha;
    Biquad f;
    f.b0 = c.alpha / a0;
    f.b1 = 0;
    f.b2 = -c.alpha / a0;
    f.a1 = -2 * c.cosw / a0;
    f.a2 = (1 - c.alpha) / a0;
    return f;
}

Table::Table(const std::vector<double>& amps) : t_(4096 + 1)
{
    const int n = 4096;
    double peak = 0;
    for (int i = 0; i < n; ++i) {
        double v = 0;
        for (size_t k = 0; k < amps.size(); ++k)
            v += amps[k] * std::sin(kTwoPi * double(k + 1) * i / n);
        t_[i] = float(v);
        peak = std::max(peak, std::abs(v));
    }
    if (peak > 0)
        for (int i = 0; i < n; ++i)
            t_[i] = float(t_[i] / peak);
    t_[n] = t_[0];
}

float Table::at(double phase) const
{
    phase -= std::floor(phase);
    const double x = phase * 4096;
    const int i = std::min(int(x), 4095);
    const float f = float(x - i);
    return t_[i] + (t_[i + 1] - t_[i]) * f;
}

std::vector<double> slopeHarmonics(double freq, double slope, double maxFreq)
{
    std::vector<double> a;
    for (int k = 1; k * freq < maxFreq && k <= 200; ++k)
        a.push_back(1.0 / std::pow(double(k), slope));
    if (a.empty())
        a.push_back(1.0);
    return a;
}

void mixInto(Wave& dst, const Wave& src, double atSeconds, float gain)
{
    const size_t start = size_t(std::max(0, samplesFor(atSeconds)));
    if (dst.size() < start + src.size())
        dst.resize(start + src.size(), 0.0f);
    for (size_t i = 0; i < src.size(); ++i)
        dst[start + i] += src[i] * gain;
}

double percussive(double t, double attack, double decayTau)
{
    if (t < 0)
        return 0;
    if (t < attack)
        return t / attack;
    return std::exp(-(t - attack) / decayTau);
}

void finish(Wave& w, double peak, double fadeIn, double fadeOut)
{
    // DC blocker (one-pole high-pass near 10 Hz).
    double x1 = 0, y1 = 0;
    const double r = 1.0 - kTwoPi * 10.0 / kRate;
    for (float& s : w) {
        const double y = s - x1 + r * y1;
        x1 = s;
        y1 = y;
        s = float(y);
    }
    const int in = std::min<int>(samplesFor(fadeIn), int(w.size()));
    for (int i = 0; i < in; ++i)
        w[i] *= float(0.5 - 0.5 * std::cos(kPi * i / in));
    const int out = std::min<int>(samplesFor(fadeOut), int(w.size()));
    for (int i = 0; i < out; ++i)
        w[w.size() - 1 - i] *= float(0.5 - 0.5 * std::cos(kPi * i / out));
    double top = 0;
    for (float s : w)
        top = std::max(top, double(std::abs(s)));
    if (top > 0)
        for (float& s : w)
            s = float(s * peak / top);
    w.resize(w.size() + size_t(samplesFor(kTailPadding)), 0.0f);
}

} // namespace genmedia
