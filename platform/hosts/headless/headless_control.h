// Test control of the headless host: a manual clock, scripted keys,
// captured frames, pulled audio and device steps that fail on demand.
//
// Time moves only when the game sleeps (or waits for an event) or a test
// advances it. Nothing here is thread-safe; tests drive the game on one thread.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/display.h"
#include "platform/faults.h"

namespace platform::headless {

// Everything back to a fresh machine: the clock at startTick, no keys down,
// no script, an empty message queue, no window, no faults, no frames.
void Reset(uint32_t startTick = 1000);

// Clock.
void SetTicks(uint32_t tick);
void AdvanceTicks(uint32_t milliseconds);
uint32_t Ticks();

// Keys. A timeline of presses and releases, each taking effect at its tick,
// as a real keyboard's events would (changes at one tick in the order given).
// A read shows a key down when it is down then or was pressed at any moment
// since the previous read, so a press and release between two reads is a tap
// that shows in the next read only.
void SetKey(uint8_t scanCode, bool down);                      // now
void ScheduleKey(uint32_t tick, uint8_t scanCode, bool down);  // at that tick
void ClearKeySchedule();                                       // forgets the changes still to come
// A source that decides the whole snapshot of each read, as it is; when set
// it replaces the timeline.
using KeySource = std::function<void(uint32_t tick, uint8_t* keys)>;
void SetKeySource(KeySource source);
uint64_t KeyboardReads();

// Called before every sleep with the tick and the length of the sleep, so a
// test can act at a given point of the game (press keys, post messages).
using SleepHook = std::function<void(uint32_t tick, uint32_t milliseconds)>;
void SetSleepHook(SleepHook hook);

// Frames shown by a flip: the 8-bit front buffer and the palette it was shown
// through. Only the last few are kept (see SetFramesKept); every flip counts.
struct Frame {
    uint32_t tick = 0;
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;  // width * height, rows top-down, no padding
    std::array<PaletteEntry, 256> palette{};
    uint8_t At(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
const std::vector<Frame>& Frames();
void SetFramesKept(size_t count);  // default 16
uint64_t FramesPresented();
// Called on every flip with the frame shown.
void SetFrameHook(std::function<void(const Frame&)> hook);

// Audio: mixes count samples as the sound card would take them now.
void PullAudio(uint8_t* samples, uint32_t count);
bool AudioOpen();

// Faults: the step fails from its (skip + 1)th call on, for times calls
// (negative: for ever).
void FailStep(Fault fault, int skip = 0, int times = -1);
void ClearFaults();
uint64_t StepCalls(Fault fault);
// Every sound buffer made so far is lost: locks and plays fail until Restore.
void LoseSoundBuffers();

// Objects the platform has handed out and not yet taken back: devices,
// surfaces, palettes, sound buffers and open files. Reset leaves the counts
// alone: they are real objects, and one left over is a leak.
int64_t LiveObjects();
// What is left, as "2 surface, 1 sound buffer"; empty when nothing is.
std::string LiveObjectsLeft();

// The window system asks the window to close, or to repaint.
void RequestClose();
void Expose();
bool WindowOpen();
const char* WindowTitle();
bool CursorVisible();
bool WindowHasIcon();

}  // namespace platform::headless
