#include "tools/assetgen/instruments.h"

#include <algorithm>
#include <cmath>

namespace assetgen::instrument {
namespace {

using synth::Envelope;
using synth::Filter;
using synth::kSampleRate;
using synth::Oscillator;
using synth::Track;

double Seconds(int sample) {
    return static_cast<double>(sample) / kSampleRate;
}

// Renders samples from start until the envelope has died away; the voice
// function gets the time since the note began and returns a sample.
template <typename Voice>
void Render(Track& track, long start, double duration, Voice&& voice) {
    const int count = synth::SecondsToSamples(duration);
    for (int i = 0; i < count; ++i) {
        track.Add(start + i, voice(Seconds(i)));
    }
}

}  // namespace

void Kick(Track& track, long start, double level, Random& random) {
    Oscillator body;
    Filter click(Filter::Mode::BandPass, 0.8);
    Render(track, start, 0.42, [&](double t) {
        const double pitch = 46.0 + 120.0 * std::exp(-t / 0.032);
        const double fadeIn = std::min(1.0, t / 0.0008);
        const double amplitude =
            fadeIn * std::exp(-t / 0.16) * (t < 0.3 ? 1.0 : std::exp(-(t - 0.3) / 0.03));
        const double snap = click.Process(random.Signed(), 3000.0) * std::exp(-t / 0.004) * 0.5;
        return level * (amplitude * body.Sine(pitch) + fadeIn * snap);
    });
}

void Clap(Track& track, long start, double level, Random& random) {
    Filter tone(Filter::Mode::BandPass, 1.4);
    Render(track, start, 0.3, [&](double t) {
        // Three quick slaps, then the ringing tail.
        const double slap = std::fmod(t, 0.011);
        const double burst = t < 0.033 ? std::exp(-slap / 0.003) : 0.0;
        const double tail = t >= 0.022 ? std::exp(-(t - 0.022) / 0.07) : 0.0;
        const double fadeIn = std::min(1.0, t / 0.0005);
        return level * fadeIn * tone.Process(random.Signed(), 1250.0) * (burst + 0.8 * tail) * 1.6;
    });
}

void HiHat(Track& track, long start, double level, bool open, Random& random) {
    Filter air(Filter::Mode::HighPass, 0.9);
    const double ring = open ? 0.09 : 0.022;
    Render(track, start, ring * 6.0, [&](double t) {
        const double fadeIn = std::min(1.0, t / 0.0005);
        return level * fadeIn * air.Process(random.Signed(), 6500.0) * std::exp(-t / ring);
    });
}

void Bass(Track& track, const Note& note) {
    Oscillator saw;
    Oscillator sub;
    Filter lowPass(Filter::Mode::LowPass, 1.6);
    const Envelope amp{.attack = 0.003, .decay = 0.25, .sustain = 0.6, .release = 0.015};
    const double frequency = synth::NoteFrequency(note.pitch);
    Render(track, note.start, amp.Duration(note.length), [&](double t) {
        const double cutoff = 180.0 + 1500.0 * std::exp(-t / 0.045);
        const double raw = 0.6 * saw.Saw(frequency) + 0.7 * sub.Sine(frequency);
        return note.level * amp.Level(t, note.length) * lowPass.Process(raw, cutoff);
    });
}

void Pad(Track& track, const Note& note, double attack) {
    constexpr double kDetune[] = {-0.11, 0.0, 0.09};
    Oscillator voices[] = {Oscillator(0.0), Oscillator(0.37), Oscillator(0.71)};
    Filter lowPass(Filter::Mode::LowPass, 0.6);
    const Envelope amp{.attack = attack, .decay = 1.0, .sustain = 1.0, .release = 0.35};
    const double frequency = synth::NoteFrequency(note.pitch);
    Render(track, note.start, amp.Duration(note.length), [&](double t) {
        double sum = 0.0;
        for (int v = 0; v < 3; ++v) {
            sum += voices[v].Saw(frequency * std::pow(2.0, kDetune[v] / 12.0));
        }
        return note.level * amp.Level(t, note.length) * lowPass.Process(sum / 3.0, 1300.0);
    });
}

void Stab(Track& track, const Note& note) {
    Oscillator first(0.1);
    Oscillator second(0.6);
    Filter lowPass(Filter::Mode::LowPass, 1.2);
    const Envelope amp{.attack = 0.002, .decay = 0.09, .sustain = 0.0, .release = 0.03};
    const double frequency = synth::NoteFrequency(note.pitch);
    Render(track, note.start, amp.Duration(note.length), [&](double t) {
        const double raw = first.Saw(frequency * 1.004) + second.Saw(frequency * 0.996);
        const double cutoff = 700.0 + 2600.0 * std::exp(-t / 0.06);
        return note.level * amp.Level(t, note.length) * lowPass.Process(raw * 0.5, cutoff);
    });
}

void Pluck(Track& track, const Note& note) {
    Oscillator pulse;
    Filter lowPass(Filter::Mode::LowPass, 0.9);
    const Envelope amp{.attack = 0.002, .decay = 0.07, .sustain = 0.0, .release = 0.02};
    const double frequency = synth::NoteFrequency(note.pitch);
    Render(track, note.start, amp.Duration(note.length), [&](double t) {
        const double cutoff = 900.0 + 3000.0 * std::exp(-t / 0.03);
        return note.level * amp.Level(t, note.length) *
               lowPass.Process(pulse.Pulse(frequency, 0.3), cutoff);
    });
}

void Lead(Track& track, const Note& note) {
    Oscillator saw;
    Oscillator square(0.25);
    Oscillator vibrato;
    Filter lowPass(Filter::Mode::LowPass, 1.1);
    const Envelope amp{.attack = 0.008, .decay = 0.3, .sustain = 0.7, .release = 0.06};
    const double frequency = synth::NoteFrequency(note.pitch);
    Render(track, note.start, amp.Duration(note.length), [&](double t) {
        // Vibrato grows in only on held notes.
        const double depth = 0.006 * std::min(1.0, std::max(0.0, (t - 0.18) / 0.25));
        const double wobble = 1.0 + depth * vibrato.Sine(5.5);
        const double f = frequency * wobble;
        const double raw = 0.55 * saw.Saw(f) + 0.45 * square.Pulse(f, 0.5);
        const double cutoff = 1400.0 + 1600.0 * std::exp(-t / 0.12);
        return note.level * amp.Level(t, note.length) * lowPass.Process(raw, cutoff);
    });
}

void Chirp(Track& track, const Note& note) {
    Oscillator pulse;
    Oscillator vibrato;
    Filter lowPass(Filter::Mode::LowPass, 0.8);
    const Envelope amp{.attack = 0.004, .decay = 0.18, .sustain = 0.45, .release = 0.05};
    const double frequency = synth::NoteFrequency(note.pitch);
    Render(track, note.start, amp.Duration(note.length), [&](double t) {
        const double depth = 0.008 * std::min(1.0, std::max(0.0, (t - 0.12) / 0.2));
        const double f = frequency * (1.0 + depth * vibrato.Sine(6.0));
        return note.level * amp.Level(t, note.length) *
               lowPass.Process(pulse.Pulse(f, 0.25), 3200.0);
    });
}

void Keys(Track& track, const Note& note) {
    Oscillator fundamental;
    Oscillator octave(0.2);
    Oscillator bell(0.5);
    const Envelope amp{.attack = 0.003, .decay = 0.35, .sustain = 0.25, .release = 0.12};
    const double frequency = synth::NoteFrequency(note.pitch);
    Render(track, note.start, amp.Duration(note.length), [&](double t) {
        const double shimmer = std::exp(-t / 0.08);
        const double raw = fundamental.Sine(frequency) + 0.35 * octave.Sine(frequency * 2.0) +
                           0.25 * shimmer * bell.Sine(frequency * 4.0);
        return note.level * amp.Level(t, note.length) * raw * 0.6;
    });
}

}  // namespace assetgen::instrument
