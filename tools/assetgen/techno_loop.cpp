// "techno.wav": sixteen bars at 128 beats a minute, exactly 30 seconds, in
// D minor over Dm - Bb - C - A (two bars each, played twice). The first pass
// has stabs, the second an arpeggio and the lead tune. Every part is written
// around the loop's end, so the last sample leads into the first.
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

constexpr int kBars = 16;
constexpr int kStepsPerBar = 16;  // sixteenth notes
constexpr int kSteps = kBars * kStepsPerBar;
constexpr double kBeatsPerMinute = 128.0;
constexpr double kStepSeconds = 60.0 / kBeatsPerMinute / 4.0;
const int kLoopLength = synth::SecondsToSamples(kSteps * kStepSeconds);

long At(double step) {
    return std::lround(step * kLoopLength / kSteps);
}

struct Chord {
    int bassRoot;
    std::array<int, 4> voicing;
};

// Dm(add9), Bb(add9), C(add9), A7: two bars each.
constexpr std::array<Chord, 4> kProgression = {{
    {38, {62, 65, 69, 76}},
    {34, {58, 62, 65, 72}},
    {36, {60, 64, 67, 74}},
    {33, {57, 61, 64, 67}},
}};

const Chord& ChordAtBar(int bar) {
    return kProgression[static_cast<size_t>((bar / 2) % 4)];
}

struct MelodyNote {
    int step;  // within the two-bar phrase
    int pitch;
    int steps;  // how long it is held
};

// The lead tune, one phrase over each chord.
// clang-format off
const std::vector<std::vector<MelodyNote>> kLeadPhrases = {
    {{0, 81, 3}, {3, 79, 1}, {4, 77, 2}, {6, 76, 2}, {8, 74, 4}, {14, 77, 2}, {16, 76, 2},
     {18, 77, 2}, {20, 81, 4}, {26, 84, 2}, {28, 81, 4}},
    {{0, 82, 3}, {3, 81, 1}, {4, 77, 4}, {10, 74, 2}, {12, 77, 2}, {14, 79, 2}, {16, 81, 6},
     {24, 79, 2}, {26, 77, 2}, {28, 74, 4}},
    {{0, 79, 2}, {2, 84, 2}, {4, 88, 4}, {10, 86, 2}, {12, 84, 2}, {14, 81, 2}, {16, 79, 4},
     {22, 76, 2}, {24, 79, 2}, {26, 81, 2}, {28, 79, 4}},
    {{0, 76, 2}, {2, 81, 2}, {4, 85, 6}, {12, 83, 2}, {14, 81, 2}, {16, 76, 4}, {22, 79, 2},
     {24, 81, 8}},
};
// clang-format on

void WriteDrums(Track& kicks, Track& claps, Track& hats, std::vector<long>& kickPositions) {
    Random random(7);
    for (int step = 0; step < kSteps; ++step) {
        const int inBeat = step % 4;
        const int inBar = step % kStepsPerBar;
        const double jitter = 0.03 * random.Signed();
        if (inBeat == 0) {
            instrument::Kick(kicks, At(step), 1.0, random);
            kickPositions.push_back(At(step));
        }
        if (inBar == 4 || inBar == 12) {
            instrument::Clap(claps, At(step), 0.45, random);
        }
        constexpr std::array<double, 4> kHatLevels = {0.22, 0.14, 0.4, 0.17};
        instrument::HiHat(hats, At(step), kHatLevels[static_cast<size_t>(inBeat)] + jitter,
                          inBeat == 2, random);
    }
    // A short clap run at the very end leads back into the top of the loop.
    for (int i = 1; i < 4; ++i) {
        instrument::Clap(claps, At(kSteps - 4 + i), 0.2 + 0.08 * i, random);
    }
}

void WriteBass(Track& bass) {
    constexpr std::array<int, 4> kOctave = {0, 0, 12, 0};
    constexpr std::array<double, 4> kLevels = {0.0, 0.9, 0.7, 0.8};
    for (int step = 0; step < kSteps; ++step) {
        const int inBeat = step % 4;
        if (inBeat == 0) {
            continue;  // the kick has the downbeat to itself
        }
        const Chord& chord = ChordAtBar(step / kStepsPerBar);
        instrument::Bass(bass, Note{.start = At(step),
                                    .length = kStepSeconds * 0.8,
                                    .pitch = chord.bassRoot + kOctave[static_cast<size_t>(inBeat)],
                                    .level = 0.7 * kLevels[static_cast<size_t>(inBeat)]});
    }
}

void WriteChords(Track& pads, Track& stabs, Track& arpeggio) {
    constexpr int kChordSteps = 2 * kStepsPerBar;
    for (int bar = 0; bar < kBars; bar += 2) {
        const Chord& chord = ChordAtBar(bar);
        const int first = bar * kStepsPerBar;
        for (int pitch : chord.voicing) {
            instrument::Pad(pads,
                            Note{.start = At(first),
                                 .length = (kChordSteps - 1) * kStepSeconds,
                                 .pitch = pitch,
                                 .level = 0.11},
                            0.3);
        }
        if (bar < kBars / 2) {
            // First pass: off-beat stabs.
            for (int rhythm : {3, 10, 19, 26, 29}) {
                for (int pitch : chord.voicing) {
                    instrument::Stab(stabs, Note{.start = At(first + rhythm),
                                                 .length = kStepSeconds * 0.7,
                                                 .pitch = pitch,
                                                 .level = 0.3});
                }
            }
        }
        if (bar >= 4) {
            // From the third chord on: a running arpeggio.
            constexpr std::array<int, 8> kOrder = {0, 2, 1, 3, 2, 0, 3, 1};
            for (int step = 0; step < kChordSteps; ++step) {
                const int voice = kOrder[static_cast<size_t>(step % 8)];
                const int lift = (step / 8) % 2 == 1 ? 12 : 0;
                instrument::Pluck(arpeggio,
                                  Note{.start = At(first + step),
                                       .length = kStepSeconds * 0.5,
                                       .pitch = chord.voicing[static_cast<size_t>(voice)] + lift,
                                       .level = (step % 2 == 0) ? 0.17 : 0.11});
            }
        }
    }
}

void WriteLead(Track& lead) {
    constexpr int kPhraseSteps = 2 * kStepsPerBar;
    for (int phrase = 0; phrase < 4; ++phrase) {
        const int first = kSteps / 2 + phrase * kPhraseSteps;
        for (const MelodyNote& note : kLeadPhrases[static_cast<size_t>(phrase)]) {
            instrument::Lead(lead, Note{.start = At(first + note.step),
                                        .length = (note.steps - 0.3) * kStepSeconds,
                                        .pitch = note.pitch,
                                        .level = 0.32});
        }
    }
}

}  // namespace

std::vector<uint8_t> ComposeTechnoLoop() {
    const auto track = [] { return Track(kLoopLength, true); };
    Track kicks = track(), claps = track(), hats = track(), bass = track();
    Track pads = track(), stabs = track(), arpeggio = track(), lead = track();
    std::vector<long> kickPositions;

    WriteDrums(kicks, claps, hats, kickPositions);
    WriteBass(bass);
    WriteChords(pads, stabs, arpeggio);
    WriteLead(lead);

    // A dotted-eighth echo on the melodic parts; a room around the clap.
    const int dottedEighth = static_cast<int>(At(3));
    synth::Echo(stabs, dottedEighth, 0.45, 0.5);
    synth::Echo(arpeggio, dottedEighth, 0.4, 0.45);
    synth::Echo(lead, dottedEighth, 0.3, 0.35);
    synth::Room(claps, 0.5, 0.4);

    Track melodic = track();
    melodic.Mix(pads, 1.0);
    melodic.Mix(stabs, 1.0);
    melodic.Mix(arpeggio, 1.0);
    melodic.Mix(lead, 1.0);
    synth::Room(melodic, 0.6, 0.3);
    melodic.Mix(bass, 1.0);
    synth::Duck(melodic, kickPositions, 0.55, 0.09);

    Track mix = track();
    mix.Mix(kicks, 0.9);
    mix.Mix(claps, 1.0);
    mix.Mix(hats, 1.0);
    mix.Mix(melodic, 1.0);
    synth::BlockDc(mix);
    synth::SoftClip(mix, 1.2);
    return synth::ToUnsigned8(mix, 58.0);
}

}  // namespace assetgen
