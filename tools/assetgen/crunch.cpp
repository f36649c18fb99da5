// "crunch.wav": a third of a second of rows breaking up: a dull thump, a
// spray of small cracks that thin out, and crumbling grit falling darker.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/assetgen/art_random.h"
#include "tools/assetgen/sounds.h"
#include "tools/assetgen/synth.h"

namespace assetgen {
namespace {

using synth::Filter;
using synth::Track;

constexpr double kSeconds = 0.30;

double Time(int sample) {
    return static_cast<double>(sample) / synth::kSampleRate;
}

void AddThump(Track& track) {
    synth::Oscillator body;
    for (int i = 0; i < track.Length(); ++i) {
        const double t = Time(i);
        const double pitch = 55.0 + 60.0 * std::exp(-t / 0.03);
        track[i] += 0.55 * std::exp(-t / 0.06) * body.Sine(pitch);
    }
}

void AddCracks(Track& track, Random& random) {
    constexpr int kCracks = 22;
    for (int c = 0; c < kCracks; ++c) {
        // Dense at first, sparser later.
        const double when = 0.22 * std::pow(random.Unit(), 1.5);
        const double ring = 0.003 + 0.006 * random.Unit();
        const double centre = 900.0 + 2600.0 * random.Unit();
        const double level = 0.9 * (1.0 - when / 0.26) * (0.6 + 0.4 * random.Unit());
        Filter band(Filter::Mode::BandPass, 2.0);
        const long start = synth::SecondsToSamples(when);
        const int length = synth::SecondsToSamples(ring * 6.0);
        for (int i = 0; i < length; ++i) {
            const double envelope = std::exp(-Time(i) / ring) * std::min(1.0, Time(i) / 0.0004);
            track.Add(start + i, level * envelope * band.Process(random.Signed(), centre));
        }
    }
}

void AddGrit(Track& track, Random& random) {
    Filter lowPass(Filter::Mode::LowPass, 0.9);
    for (int i = 0; i < track.Length(); ++i) {
        const double t = Time(i);
        const double cutoff = 600.0 + 3400.0 * std::exp(-t / 0.07);
        // Crumbling: the grit comes in little clumps, not as a steady hiss.
        const double clump =
            0.55 + 0.45 * std::sin(t * 2.0 * synth::kPi * 37.0 + 3.0 * std::sin(t * 90.0));
        track[i] += 0.5 * std::exp(-t / 0.12) * clump * lowPass.Process(random.Signed(), cutoff);
    }
}

// Opens from silence and closes into silence, so there is no click at
// either end.
void ShapeEnds(Track& track) {
    const int fadeIn = synth::SecondsToSamples(0.002);
    const int fadeOut = synth::SecondsToSamples(0.04);
    for (int i = 0; i < fadeIn; ++i) {
        track[i] *= static_cast<double>(i) / fadeIn;
    }
    for (int i = 0; i < fadeOut; ++i) {
        const double t = static_cast<double>(i + 1) / fadeOut;
        track[track.Length() - fadeOut + i] *= 0.5 + 0.5 * std::cos(t * synth::kPi);
    }
}

}  // namespace

std::vector<uint8_t> MakeCrunch() {
    Random random(2024);
    Track track(synth::SecondsToSamples(kSeconds), false);
    AddThump(track);
    AddCracks(track, random);
    AddGrit(track, random);
    synth::SoftClip(track, 2.5);
    ShapeEnds(track);
    return synth::ToUnsigned8(track, 58.0);
}

}  // namespace assetgen
