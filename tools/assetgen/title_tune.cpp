// "superhappy.wav": a bright tune in F major at 140 beats a minute, eight
// bars and a closing chord, played once while the title is up.
#include <array>
#include <cmath>
#include <vector>

#include "tools/assetgen/art_random.h"
#include "tools/assetgen/instruments.h"
#include "tools/assetgen/sounds.h"
#include "tools/assetgen/synth.h"

namespace assetgen {
namespace {

using instrument::Note;
using synth::Track;

constexpr double kBeatsPerMinute = 140.0;
constexpr double kEighth = 60.0 / kBeatsPerMinute / 2.0;
constexpr int kEighthsPerBar = 8;
constexpr int kBars = 9;  // eight bars of tune and the closing chord
constexpr double kTail = 1.8;

long At(double eighth) {
    return std::lround(eighth * kEighth * synth::kSampleRate);
}

struct Bar {
    int bassRoot;
    std::vector<int> chord;
    std::vector<std::array<int, 2>> melody;  // pitch, eighths held
};

// clang-format off
const std::vector<Bar> kTune = {
    {41, {65, 69, 72}, {{72, 1}, {77, 1}, {81, 2}, {79, 1}, {81, 1}, {84, 2}}},
    {36, {64, 67, 72}, {{82, 1}, {81, 1}, {79, 2}, {76, 1}, {79, 1}, {84, 2}}},
    {38, {62, 65, 69}, {{81, 1}, {77, 1}, {74, 1}, {77, 1}, {81, 2}, {86, 2}}},
    {34, {62, 65, 70}, {{84, 1}, {82, 1}, {81, 1}, {82, 1}, {79, 4}}},
    {41, {65, 69, 72}, {{77, 1}, {81, 1}, {84, 1}, {89, 1}, {88, 1}, {84, 1}, {81, 2}}},
    {43, {62, 67, 70}, {{82, 1}, {81, 1}, {79, 1}, {82, 1}, {86, 2}, {84, 2}}},
    {36, {64, 67, 72}, {{84, 1}, {88, 1}, {86, 1}, {84, 1}, {82, 1}, {81, 1}, {79, 2}}},
    {36, {64, 67, 70}, {{76, 1}, {79, 1}, {82, 1}, {84, 1}, {86, 2}, {88, 2}}},
    {41, {65, 69, 72, 77}, {{89, 8}}},
};
// clang-format on

void WriteTune(Track& melody, Track& chords, Track& bass) {
    for (int bar = 0; bar < kBars; ++bar) {
        const Bar& music = kTune[static_cast<size_t>(bar)];
        const int first = bar * kEighthsPerBar;
        const bool closing = bar == kBars - 1;

        int eighth = first;
        for (const auto& [pitch, held] : music.melody) {
            const double length = closing ? 1.6 : (held - 0.25) * kEighth;
            instrument::Chirp(
                melody, Note{.start = At(eighth), .length = length, .pitch = pitch, .level = 0.34});
            eighth += held;
        }

        if (closing) {
            for (int pitch : music.chord) {
                instrument::Keys(
                    chords, Note{.start = At(first), .length = 1.4, .pitch = pitch, .level = 0.2});
            }
            instrument::Bass(
                bass,
                Note{.start = At(first), .length = 1.0, .pitch = music.bassRoot, .level = 0.5});
            continue;
        }
        // Chords bounce on the off-beats; the bass walks root and octave.
        for (int i = 0; i < kEighthsPerBar; ++i) {
            if (i % 2 == 1) {
                for (int pitch : music.chord) {
                    instrument::Keys(chords, Note{.start = At(first + i),
                                                  .length = kEighth * 0.6,
                                                  .pitch = pitch,
                                                  .level = 0.16});
                }
            }
            instrument::Bass(bass, Note{.start = At(first + i),
                                        .length = kEighth * 0.7,
                                        .pitch = music.bassRoot + (i % 2 == 1 ? 12 : 0),
                                        .level = 0.42});
        }
    }
    // A quick sparkle up to the closing chord.
    constexpr std::array<int, 4> kSparkle = {77, 81, 84, 89};
    double when = (kBars - 1) * kEighthsPerBar + 2;
    for (int pitch : kSparkle) {
        instrument::Chirp(
            melody, Note{.start = At(when), .length = 0.08, .pitch = pitch + 12, .level = 0.12});
        when += 0.5;
    }
}

void WriteDrums(Track& drums) {
    Random random(11);
    const int lastBar = kBars - 1;
    for (int eighth = 0; eighth < lastBar * kEighthsPerBar; ++eighth) {
        const int inBar = eighth % kEighthsPerBar;
        if (inBar == 0 || inBar == 4) {
            instrument::Kick(drums, At(eighth), 0.7, random);
        }
        if (inBar == 2 || inBar == 6) {
            instrument::Clap(drums, At(eighth), 0.3, random);
        }
        instrument::HiHat(drums, At(eighth), inBar % 2 == 1 ? 0.16 : 0.09, false, random);
    }
    instrument::Kick(drums, At(lastBar * kEighthsPerBar), 0.7, random);
    instrument::HiHat(drums, At(lastBar * kEighthsPerBar), 0.14, true, random);
}

// Brings the very end down to silence, so the tune stops without a click.
void FadeOutEnd(Track& mix, double seconds) {
    const int count = synth::SecondsToSamples(seconds);
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / count;
        mix[mix.Length() - count + i] *= 0.5 + 0.5 * std::cos(t * synth::kPi);
    }
}

}  // namespace

std::vector<uint8_t> ComposeTitleTune() {
    const int length =
        synth::SecondsToSamples(kBars * kEighthsPerBar * kEighth - 7 * kEighth + kTail);
    const auto track = [length] { return Track(length, false); };
    Track melody = track(), chords = track(), bass = track(), drums = track();
    WriteTune(melody, chords, bass);
    WriteDrums(drums);

    synth::Echo(melody, static_cast<int>(At(3)), 0.3, 0.3);
    Track mix = track();
    mix.Mix(melody, 1.0);
    mix.Mix(chords, 1.0);
    synth::Room(mix, 0.5, 0.25);
    mix.Mix(bass, 1.0);
    mix.Mix(drums, 1.0);
    synth::BlockDc(mix);
    synth::SoftClip(mix, 1.3);
    FadeOutEnd(mix, 0.4);
    return synth::ToUnsigned8(mix, 56.0);
}

}  // namespace assetgen
