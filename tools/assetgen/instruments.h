// The voices the tunes are played on. Each one renders a single hit or note
// into a track at a sample position.
#pragma once

#include "tools/assetgen/art_random.h"
#include "tools/assetgen/synth.h"

namespace assetgen::instrument {

struct Note {
    long start = 0;       // sample position
    double length = 0.1;  // seconds the key is held
    int pitch = 60;       // MIDI note number
    double level = 1.0;
};

// A round, deep kick: a sine falling fast in pitch, with a soft click.
void Kick(synth::Track& track, long start, double level, Random& random);
// Layered short noise bursts through a band-pass, like a hand clap.
void Clap(synth::Track& track, long start, double level, Random& random);
// A bright hi-hat; open rings longer.
void HiHat(synth::Track& track, long start, double level, bool open, Random& random);

// A rolling bass: saw and sub sine through a low-pass that snaps shut.
void Bass(synth::Track& track, const Note& note);
// A wide chord voice of detuned saws, soft and dark.
void Pad(synth::Track& track, const Note& note, double attack);
// A short chord stab, brighter than the pad.
void Stab(synth::Track& track, const Note& note);
// A plucked pulse, for arpeggios.
void Pluck(synth::Track& track, const Note& note);
// The techno lead: saw and square with a little vibrato as notes are held.
void Lead(synth::Track& track, const Note& note);
// A cheerful chiptune-like pulse for the title tune.
void Chirp(synth::Track& track, const Note& note);
// A round electric-piano-like tone for bright chords.
void Keys(synth::Track& track, const Note& note);

}  // namespace assetgen::instrument
