#include "tools/assetgen/synth.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace assetgen::synth {
namespace {

// Smooths the corner of a waveform jump at phase t for a phase step dt.
double PolyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

// Runs an effect over a looping track twice, keeping the second pass, so that
// what rings on past the end of the loop is heard again at its start.
template <typename Effect>
void RunLoopAware(Track& track, Effect&& effect) {
    const std::vector<double> dry = track.Samples();
    const int passes = track.Loops() ? 2 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        for (int i = 0; i < track.Length(); ++i) {
            const double out = effect(dry[static_cast<size_t>(i)]);
            if (pass == passes - 1) {
                track[i] = out;
            }
        }
    }
}

// A delay line of fixed length.
class DelayLine {
public:
    explicit DelayLine(int length) : buffer_(static_cast<size_t>(std::max(length, 1)), 0.0) {}
    double Read() const { return buffer_[position_]; }
    void Write(double value) {
        buffer_[position_] = value;
        position_ = (position_ + 1) % buffer_.size();
    }

private:
    std::vector<double> buffer_;
    size_t position_ = 0;
};

}  // namespace

double NoteFrequency(int midiNote) {
    return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

int SecondsToSamples(double seconds) {
    return static_cast<int>(std::lround(seconds * kSampleRate));
}

void Track::Add(long position, double value) {
    const long length = static_cast<long>(samples_.size());
    if (loops_) {
        position %= length;
        if (position < 0) {
            position += length;
        }
    } else if (position < 0 || position >= length) {
        return;
    }
    samples_[static_cast<size_t>(position)] += value;
}

void Track::Mix(const Track& other, double gain) {
    for (size_t i = 0; i < samples_.size() && i < other.samples_.size(); ++i) {
        samples_[i] += other.samples_[i] * gain;
    }
}

double Oscillator::Advance(double frequency) {
    const double step = frequency / kSampleRate;
    phase_ += step;
    if (phase_ >= 1.0) {
        phase_ -= std::floor(phase_);
    }
    return step;
}

double Oscillator::Sine(double frequency) {
    const double value = std::sin(2.0 * kPi * phase_);
    Advance(frequency);
    return value;
}

double Oscillator::Saw(double frequency) {
    const double step = frequency / kSampleRate;
    const double value = 2.0 * phase_ - 1.0 - PolyBlep(phase_, step);
    Advance(frequency);
    return value;
}

double Oscillator::Pulse(double frequency, double width) {
    const double step = frequency / kSampleRate;
    double value = phase_ < width ? 1.0 : -1.0;
    value += PolyBlep(phase_, step);
    double shifted = phase_ + (1.0 - width);
    shifted -= std::floor(shifted);
    value -= PolyBlep(shifted, step);
    Advance(frequency);
    // A narrow pulse spends more time low than high: take that offset out.
    return value - (2.0 * width - 1.0);
}

double Oscillator::Triangle(double frequency) {
    // A leaky integral of the square wave.
    const double step = frequency / kSampleRate;
    const double square = Pulse(frequency, 0.5);
    triangleState_ = step * 4.0 * square + (1.0 - step * 0.5) * triangleState_;
    return triangleState_;
}

double Envelope::Level(double time, double length) const {
    if (time < 0.0) {
        return 0.0;
    }
    auto held = [this](double t) {
        if (t < attack) {
            return t / attack;
        }
        return sustain + (1.0 - sustain) * std::exp(-(t - attack) / decay);
    };
    if (time < length) {
        return held(time);
    }
    return held(length) * std::exp(-(time - length) / release);
}

double Filter::Process(double input, double cutoff) {
    const double limited = std::clamp(cutoff, 20.0, kSampleRate * 0.45);
    const double g = std::tan(kPi * limited / kSampleRate);
    const double a1 = 1.0 / (1.0 + g * (g + damping_));
    const double a2 = g * a1;
    const double a3 = g * a2;
    const double v3 = input - state2_;
    const double v1 = a1 * state1_ + a2 * v3;
    const double v2 = state2_ + a2 * state1_ + a3 * v3;
    state1_ = 2.0 * v1 - state1_;
    state2_ = 2.0 * v2 - state2_;
    switch (mode_) {
        case Mode::LowPass:
            return v2;
        case Mode::BandPass:
            return v1;
        case Mode::HighPass:
            break;
    }
    return input - damping_ * v1 - v2;
}

void Echo(Track& track, int delaySamples, double feedback, double wet) {
    DelayLine line(delaySamples);
    double darkened = 0.0;
    RunLoopAware(track, [&](double dry) {
        const double echoed = line.Read();
        darkened += 0.45 * (echoed - darkened);
        line.Write(dry + darkened * feedback);
        return dry + echoed * wet;
    });
}

void Room(Track& track, double size, double wet) {
    // Comb and all-pass lengths chosen to share no common factors.
    constexpr std::array<int, 4> kCombLengths = {1117, 1277, 1361, 1439};
    constexpr std::array<int, 2> kAllPassLengths = {347, 113};
    std::vector<DelayLine> combs;
    std::vector<double> combDamping(kCombLengths.size(), 0.0);
    for (int length : kCombLengths) {
        combs.emplace_back(length);
    }
    std::vector<DelayLine> allPasses;
    for (int length : kAllPassLengths) {
        allPasses.emplace_back(length);
    }
    const double feedback = 0.70 + 0.26 * std::clamp(size, 0.0, 1.0);
    RunLoopAware(track, [&](double dry) {
        double sum = 0.0;
        for (size_t c = 0; c < combs.size(); ++c) {
            const double out = combs[c].Read();
            combDamping[c] += 0.35 * (out - combDamping[c]);
            combs[c].Write(dry * 0.25 + combDamping[c] * feedback);
            sum += out;
        }
        for (DelayLine& allPass : allPasses) {
            const double delayed = allPass.Read();
            const double input = sum + delayed * 0.5;
            allPass.Write(input);
            sum = delayed - input * 0.5;
        }
        return dry + sum * wet;
    });
}

void BlockDc(Track& track) {
    // A first-order high-pass around 15 Hz.
    const double pole = 1.0 - 2.0 * kPi * 15.0 / kSampleRate;
    double previousIn = 0.0;
    double previousOut = 0.0;
    RunLoopAware(track, [&](double in) {
        previousOut = in - previousIn + pole * previousOut;
        previousIn = in;
        return previousOut;
    });
}

void Duck(Track& track, const std::vector<long>& kickPositions, double depth, double recovery) {
    std::vector<double> gain(track.Samples().size(), 1.0);
    const int reach = SecondsToSamples(recovery * 5.0);
    for (long kick : kickPositions) {
        for (int i = 0; i < reach; ++i) {
            long position = kick + i;
            if (track.Loops()) {
                position %= track.Length();
            } else if (position >= track.Length()) {
                break;
            }
            const double dip = depth * std::exp(-static_cast<double>(i) / kSampleRate / recovery);
            double& g = gain[static_cast<size_t>(position)];
            g = std::min(g, 1.0 - dip);
        }
    }
    for (int i = 0; i < track.Length(); ++i) {
        track[i] *= gain[static_cast<size_t>(i)];
    }
}

void SoftClip(Track& track, double drive) {
    for (double& sample : track.Samples()) {
        sample = std::tanh(sample * drive);
    }
}

std::vector<uint8_t> ToUnsigned8(const Track& track, double peakSteps) {
    double peak = 0.0;
    for (double value : track.Samples()) {
        peak = std::max(peak, std::abs(value));
    }
    const double scale = peak > 0.0 ? peakSteps / peak : 0.0;
    std::vector<uint8_t> out;
    out.reserve(track.Samples().size());
    for (double value : track.Samples()) {
        const long level = std::lround(128.0 + value * scale);
        out.push_back(static_cast<uint8_t>(std::clamp(level, 0L, 255L)));
    }
    return out;
}

}  // namespace assetgen::synth
