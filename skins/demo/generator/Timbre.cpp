#include "Timbre.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace windlecroft::demo::timbre {

namespace {

constexpr double twoPi = 2.0 * std::numbers::pi;

// Noise that is the same in every build.
class Noise {
public:
    float next()
    {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<float>(state_ >> 8) / static_cast<float>(1u << 23) - 1.0f;
    }

private:
    std::uint32_t state_ = 22222u;
};

std::vector<float> pluck(double frequency, int rate)
{
    // Karplus-Strong: a burst of noise recirculating through a short averaging delay line.
    const auto period = std::max<std::size_t>(2, static_cast<std::size_t>(std::lround(rate / frequency)));
    std::vector<float> line(period);
    Noise noise;
    for (float& value : line)
        value = noise.next();
    std::vector<float> out(static_cast<std::size_t>(rate * 1.4));
    float previous = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const std::size_t at = i % period;
        const float value = line[at];
        out[i] = value;
        line[at] = 0.996f * 0.5f * (value + previous);
        previous = value;
    }
    return out;
}

std::vector<float> bell(double frequency, int rate)
{
    constexpr double ratios[] = {1.0, 2.0, 2.76, 4.07, 5.4};
    constexpr double levels[] = {1.0, 0.55, 0.42, 0.28, 0.18};
    constexpr double decays[] = {1.8, 1.1, 0.8, 0.5, 0.35};
    std::vector<float> out(static_cast<std::size_t>(rate * 2.4));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        double value = 0;
        for (int p = 0; p < 5; ++p) {
            const double f = frequency * ratios[p];
            if (f < rate / 2.0)
                value += levels[p] * std::exp(-t / decays[p]) * std::sin(twoPi * f * t);
        }
        const double attack = std::min(1.0, t / 0.003);
        out[i] = static_cast<float>(0.42 * attack * value);
    }
    return out;
}

std::vector<float> kick(int rate)
{
    std::vector<float> out(static_cast<std::size_t>(rate * 0.45));
    double phase = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        phase += twoPi * (48.0 + 110.0 * std::exp(-t / 0.035)) / rate;
        out[i] = static_cast<float>(std::exp(-t / 0.16) * std::sin(phase));
    }
    return out;
}

std::vector<float> snare(int rate)
{
    std::vector<float> out(static_cast<std::size_t>(rate * 0.3));
    Noise noise;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        out[i] = static_cast<float>(0.6 * noise.next() * std::exp(-t / 0.07) + 0.5 * std::sin(twoPi * 185.0 * t) * std::exp(-t / 0.04));
    }
    return out;
}

std::vector<float> hat(int rate)
{
    std::vector<float> out(static_cast<std::size_t>(rate * 0.12));
    Noise noise;
    float previous = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const float value = noise.next();
        // The difference of successive samples keeps only the hiss.
        out[i] = static_cast<float>(0.7 * (value - previous) * std::exp(-t / 0.022));
        previous = value;
    }
    return out;
}

} // namespace

bool sustains(Voice voice)
{
    return voice == Voice::Bass || voice == Voice::Pad || voice == Voice::Lead;
}

double harmonic(Voice voice, int n)
{
    switch (voice) {
    case Voice::Bass: return n <= 10 ? 1.0 / std::pow(n, 1.6) : 0.0;
    case Voice::Pad: return n <= 16 ? std::exp(-n / 9.0) / n : 0.0;
    case Voice::Lead: {
        constexpr double levels[] = {1.0, 0.32, 0.18, 0.06, 0.03};
        return n <= 5 ? levels[n - 1] : 0.0;
    }
    default: return 0.0;
    }
}

std::vector<float> struck(Voice voice, double frequency, int rate)
{
    switch (voice) {
    case Voice::Pluck: return pluck(frequency, rate);
    case Voice::Bell: return bell(frequency, rate);
    case Voice::Kick: return kick(rate);
    case Voice::Snare: return snare(rate);
    case Voice::Hat: return hat(rate);
    default: return {};
    }
}

double frequencyOf(int key)
{
    return 440.0 * std::pow(2.0, (key - 69) / 12.0);
}

} // namespace windlecroft::demo::timbre
