// Runs the whole program from its entry point on the headless host with a
// player who tells the part of the run by what start-up and shut-down have
// made, not by the screen, so it holds whatever the data files hold.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>
#include <string>

#include "app/game.h"
#include "platform/result.h"
#include "tests/support/play_rig.h"

namespace test_support {

// The music exists only in play; shut-down lets it go but keeps the background.
enum Phase : size_t { Title, Play, End };
inline Phase CurrentPhase() {
    return musicSound != nullptr ? Play : backgroundSheet != nullptr ? End : Title;
}

using Keys = std::vector<uint8_t>;

// Return after so many keyboard reads on the title and end screens; the keys
// of each read of play (pauses included) until the player quits at playReads.
struct Script {
    int64_t titleReads = 3, playReads = 150, endReads = 4;
    std::function<Keys(int64_t read)> playKeys = [](int64_t) { return Keys{platform::DIK_DOWN}; };
    std::function<void()> beforeStart;  // on the fresh machine; may set faults
    std::function<void(const platform::headless::Frame&, Phase)> onFrame;
    uint32_t startTick = 1000;  // the game seeds its pieces from the clock
};

struct Outcome {
    int32_t exitCode = -1;
    std::array<int64_t, 3> reads{}, frames{};  // by phase
    bool overran = false;               // the game stopped reacting; the player forced the end
    std::string stderrText, errorText;  // errorText: the platform's last error at the exit
    std::array<uint64_t, static_cast<size_t>(platform::Fault::Count)> stepCalls{};
    std::string leftAlive;  // platform objects never given back
};

// Escape leaves play and, let go and pressed again, the end screen; Return a pause or the title.
inline Keys ForceTheEnd(int64_t read) {
    static const Keys cycle[] = {
        {platform::DIK_ESCAPE}, {platform::DIK_ESCAPE}, {}, {platform::DIK_RETURN}};
    return cycle[read % 4];
}

inline Keys KeysForRead(const Script& script, Outcome& outcome, int64_t& totalReads) {
    const Phase phase = CurrentPhase();
    const int64_t read = outcome.reads[phase]++;
    if (++totalReads > 200000) {
        outcome.overran = true;
        return ForceTheEnd(totalReads);
    }
    if (phase == Play) {
        return read >= script.playReads ? ForceTheEnd(read - script.playReads)
                                        : script.playKeys(read);
    }
    // On the end screen Return is let go at every other read: a latch that play
    // left set clears in between.
    const int64_t wait = phase == Title ? script.titleReads : script.endReads;
    return read >= wait && (phase == Title || (read - wait) % 2 == 0) ? Keys{platform::DIK_RETURN}
                                                                      : Keys{};
}

// Steers, turns, drops and pauses from read 30 to read 36, then quits at 120;
// events happen at their reads of play.
inline Script ShortRun(std::map<int64_t, std::function<void()>> events = {}) {
    Script script;
    script.playReads = 120;
    script.playKeys = [events = std::move(events)](int64_t read) {
        using namespace platform;
        static const Keys pattern[] = {{DIK_DOWN}, {}, {DIK_LEFT},  {}, {DIK_SPACE},
                                       {DIK_DOWN}, {}, {DIK_RIGHT}, {}, {DIK_DOWN}};
        if (auto event = events.find(read); event != events.end()) {
            event->second();
        }
        return read == 30 || read == 36 ? Keys{DIK_RETURN} : pattern[read % 10];
    };
    return script;
}

// Resets the machine and the counters and runs the program to its exit.
inline Outcome RunProgram(const Script& script) {
    namespace headless = platform::headless;
    headless::Reset(script.startTick);
    ResetRunCounters();
    headless::SetFramesKept(1);
    Outcome outcome;
    int64_t totalReads = 0;
    headless::SetKeySource([&](uint32_t, uint8_t* keys) {
        for (uint8_t key : KeysForRead(script, outcome, totalReads)) {
            keys[key] = platform::kKeyDown;
        }
    });
    headless::SetFrameHook([&](const headless::Frame& frame) {
        ++outcome.frames[CurrentPhase()];
        if (script.onFrame) {
            script.onFrame(frame, CurrentPhase());
        }
    });
    // After two hours of game time every fault is cleared, so the player can end the run.
    headless::SetSleepHook([&](uint32_t tick, uint32_t) {
        if (tick - script.startTick > 2 * 60 * 60 * 1000 && !outcome.overran) {
            outcome.overran = true;
            headless::ClearFaults();
        }
    });
    if (script.beforeStart) {
        script.beforeStart();
    }
    const int64_t aliveBefore = headless::LiveObjects();
    ::testing::internal::CaptureStderr();
    outcome.exitCode = WinMain(platform::GetProgramInstance(), nullptr, "", 0);
    outcome.stderrText = ::testing::internal::GetCapturedStderr();
    outcome.errorText = platform::LastErrorText();
    for (size_t step = 0; step < outcome.stepCalls.size(); ++step) {
        outcome.stepCalls[step] = headless::StepCalls(static_cast<platform::Fault>(step));
    }
    headless::Reset();  // drops the hooks too
    if (headless::LiveObjects() != aliveBefore) {
        outcome.leftAlive = headless::LiveObjectsLeft();
    }
    return outcome;
}

// Whether a test sees what the program writes to standard error. Under
// Node.js (the browser build's tests) it goes to the console, past the
// descriptor a test can take over.
#ifdef __EMSCRIPTEN__
inline constexpr bool kStandardErrorSeen = false;
#else
inline constexpr bool kStandardErrorSeen = true;
#endif

// The run went from the title through play to the end screen as scripted,
// reported nothing and gave back all it made.
inline void ExpectRunThrough(const Outcome& outcome, const Script& script) {
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_FALSE(outcome.overran) << "the game stopped reacting to the keys";
    EXPECT_EQ(outcome.stderrText, "");
    EXPECT_EQ(outcome.leftAlive, "");
    EXPECT_GE(outcome.reads[Title], script.titleReads);
    EXPECT_GE(outcome.reads[Play], script.playReads);
    EXPECT_GT(outcome.reads[End], script.endReads);
}

}  // namespace test_support
