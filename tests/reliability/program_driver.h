// Runs the whole program from its entry point on the headless backend with a
// player who knows which part of the run the game is in: the title, play or
// the end screen. The part is told by what start-up and shut-down have made,
// not by what the screen shows, so it holds whatever the data files hold.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/headless/control.h"

namespace reliability {

enum class Phase { Title, Play, End };

// The part of the run the game is in now. The title (with the loading screen
// after it) comes before the music exists, play while it does, and the end
// screen after shut-down has let it go but before the background goes.
Phase CurrentPhase();

// The keys down for one keyboard read, by scan code.
using Keys = std::vector<uint8_t>;

struct Script {
    // Reads of the keyboard on the title before Return is pressed.
    int64_t titleReads = 3;
    // Keys for each read of the keyboard during play (and in a pause), by the
    // number of play reads before it. After playReads, the player quits.
    std::function<Keys(int64_t read)> playKeys = [](int64_t) { return Keys{}; };
    int64_t playReads = 150;
    // Reads of the keyboard on the end screen before Return is pressed.
    int64_t endReads = 4;
    // When set, called on the fresh machine just before the program starts;
    // may set faults.
    std::function<void()> beforeStart;
    // When set, called before every sleep; may change faults or keys.
    platform::headless::SleepHook onSleep;
    // When set, called with every frame shown, and with the part of the run.
    std::function<void(const platform::headless::Frame&, Phase)> onFrame;
    uint32_t startTick = 1000;
    // Game time after which the run counts as overrun: every device fault is
    // then cleared, so the player can end the run.
    uint32_t watchdogMilliseconds = 2 * 60 * 60 * 1000;
};

struct Outcome {
    int32_t exitCode = -1;
    int64_t reads[3] = {};   // keyboard reads by phase
    int64_t frames[3] = {};  // frames shown by phase
    // The run went on far longer than the script: the game did not react to
    // the keys as it should, and the player had to force the end.
    bool overran = false;
    std::string stderrText;
    // How often each device step was called.
    std::array<uint64_t, static_cast<size_t>(platform::Fault::Count)> stepCalls = {};
    // The platform objects the program left alive when it returned; empty
    // when it gave back all it made.
    std::string leftAlive;
};

// Resets the headless machine and the game's run counters, runs the program
// to its exit and checks nothing: the caller looks at the outcome.
Outcome RunProgram(const Script& script);

// The program's data files, by name.
inline constexpr const char* kPictureFiles[] = {"menu1.bmp", "cubeshards2.bmp", "score.bmp",
                                                "start.bmp", "end.bmp"};
inline constexpr const char* kSoundFiles[] = {"techno.wav", "crunch.wav", "superhappy.wav"};

}  // namespace reliability
