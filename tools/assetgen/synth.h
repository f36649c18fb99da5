// Building blocks for the game's sounds: a buffer of samples that can wrap
// around (for a seamless loop), band-limited oscillators, envelopes, a
// filter, and the echo and room effects.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace assetgen::synth {

inline constexpr int kSampleRate = 22050;
inline constexpr double kPi = 3.14159265358979323846;

double NoteFrequency(int midiNote);
int SecondsToSamples(double seconds);

// Samples in -1..1 (a mix may go beyond before it is levelled). A looping
// track wraps every write around its end, so that a note sounding past the
// end of the loop continues at its start.
class Track {
public:
    Track(int length, bool loops) : samples_(static_cast<size_t>(length), 0.0), loops_(loops) {}

    int Length() const { return static_cast<int>(samples_.size()); }
    bool Loops() const { return loops_; }
    void Add(long position, double value);
    double At(int index) const { return samples_[static_cast<size_t>(index)]; }
    double& operator[](int index) { return samples_[static_cast<size_t>(index)]; }
    // Adds another track of the same length, scaled.
    void Mix(const Track& other, double gain);
    std::vector<double>& Samples() { return samples_; }
    const std::vector<double>& Samples() const { return samples_; }

private:
    std::vector<double> samples_;
    bool loops_;
};

// A phase accumulator with band-limited waveforms (polyBLEP edges), so that
// high notes do not fold back into harsh whistles at 22050 samples a second.
class Oscillator {
public:
    explicit Oscillator(double startPhase = 0.0) : phase_(startPhase) {}
    double Sine(double frequency);
    double Saw(double frequency);
    // Pulse with the given share of the period high (0.5 is a square).
    double Pulse(double frequency, double width);
    double Triangle(double frequency);

private:
    double Advance(double frequency);
    double phase_;
    double triangleState_ = 0.0;
};

// Attack, hold at full level, then exponential decay towards a sustain level;
// after the note's length, an exponential release.
struct Envelope {
    double attack = 0.005;
    double decay = 0.2;  // time constant of the fall towards sustain
    double sustain = 0.0;
    double release = 0.05;
    double Level(double time, double length) const;
    // How long after the note's start the envelope has died away.
    double Duration(double length) const { return length + release * 6.0; }
};

// A state-variable filter (trapezoidal form) that stays stable while its
// cutoff moves on every sample.
class Filter {
public:
    enum class Mode { LowPass, BandPass, HighPass };
    explicit Filter(Mode mode, double resonance = 0.7) : mode_(mode), damping_(1.0 / resonance) {}
    double Process(double input, double cutoff);

private:
    Mode mode_;
    double damping_;
    double state1_ = 0.0;
    double state2_ = 0.0;
};

// An echo of the track on itself: each repeat after delaySamples, feedback
// times softer, darkened a little each time. On a looping track the repeats
// run around the loop's end.
void Echo(Track& track, int delaySamples, double feedback, double wet);

// A small room: parallel combs and series all-passes, mixed in at wet.
void Room(Track& track, double size, double wet);

// Removes any steady offset, so that silence sits at the 8-bit midpoint.
void BlockDc(Track& track);

// Lowers the level right after each kick so the other parts breathe with it.
void Duck(Track& track, const std::vector<long>& kickPositions, double depth, double recovery);

// Rounds off the loudest peaks (a tanh curve; more drive, more rounding),
// so that a mix sounds full at a gentle level.
void SoftClip(Track& track, double drive);

// Levels a mix to the given peak (in steps of the 8-bit range around 128)
// and writes unsigned 8-bit samples.
std::vector<uint8_t> ToUnsigned8(const Track& track, double peakSteps);

}  // namespace assetgen::synth
