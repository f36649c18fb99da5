// Runs the whole program from its entry point on the headless backend with a
// player who knows which part of the run the game is in. The part is told by
// what start-up and shut-down have made, not by the screen, so it holds
// whatever the data files hold.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/game.h"
#include "platform/result.h"
#include "tests/support/play_rig.h"

namespace test_support {

enum class Phase { Title, Play, End };

// The title and loading screens come before the music exists, play while it
// does, and the end screen after shut-down let it go but kept the background.
inline Phase CurrentPhase() {
    if (musicSound != nullptr) {
        return Phase::Play;
    }
    return backgroundSheet != nullptr ? Phase::End : Phase::Title;
}

using Keys = std::vector<uint8_t>;

struct Script {
    int64_t titleReads = 3;  // keyboard reads on the title before Return
    // Keys for each keyboard read of play (pauses included), by its number;
    // from playReads on the player quits.
    std::function<Keys(int64_t read)> playKeys = [](int64_t) { return Keys{platform::DIK_DOWN}; };
    int64_t playReads = 150;
    int64_t endReads = 4;               // keyboard reads on the end screen before Return
    std::function<void()> beforeStart;  // on the fresh machine; may set faults
    std::function<void(const platform::headless::Frame&, Phase)> onFrame;
    uint32_t startTick = 1000;  // the game seeds its pieces from the clock
};

struct Outcome {
    int32_t exitCode = -1;
    std::array<int64_t, 3> reads{}, frames{};  // keyboard reads and frames shown by phase
    bool overran = false;  // the game stopped reacting as it should; the player forced the end
    std::string stderrText;
    std::string errorText;  // the platform's last error when the program returned
    std::array<uint64_t, static_cast<size_t>(platform::Fault::Count)> stepCalls{};
    std::string leftAlive;  // platform objects never given back; empty when none
};

inline size_t Index(Phase phase) {
    return static_cast<size_t>(phase);
}

// Escape leaves play and, let go and pressed again, the end screen; nothing
// and then Return leaves a pause or the title.
inline Keys ForceTheEnd(int64_t read) {
    static const Keys cycle[] = {
        {platform::DIK_ESCAPE}, {platform::DIK_ESCAPE}, {}, {platform::DIK_RETURN}};
    return cycle[read % 4];
}

inline Keys KeysForRead(const Script& script, Outcome& outcome, int64_t& totalReads) {
    constexpr int64_t kOverrunReads = 200000;
    const Phase phase = CurrentPhase();
    const int64_t read = outcome.reads[Index(phase)]++;
    if (++totalReads > kOverrunReads) {
        outcome.overran = true;
        return ForceTheEnd(totalReads);
    }
    switch (phase) {
        case Phase::Title:
            return read >= script.titleReads ? Keys{platform::DIK_RETURN} : Keys{};
        case Phase::Play:
            return read >= script.playReads ? ForceTheEnd(read - script.playReads)
                                            : script.playKeys(read);
        case Phase::End:
            // The end screen reads twice a pass and takes Return only at the
            // second read; an odd period of presses lands on it sooner or later.
            return read >= script.endReads && (read - script.endReads) % 5 < 3
                       ? Keys{platform::DIK_RETURN}
                       : Keys{};
    }
    return {};
}

// Steers, turns, drops and pauses from read 30 to read 36, then quits at
// 120; events happen at their reads of play.
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

// Resets the machine and the run counters, runs the program to its exit and
// checks nothing: the caller looks at the outcome.
inline Outcome RunProgram(const Script& script) {
    namespace headless = platform::headless;
    constexpr uint32_t kWatchdogMilliseconds = 2 * 60 * 60 * 1000;
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
        ++outcome.frames[Index(CurrentPhase())];
        if (script.onFrame) {
            script.onFrame(frame, CurrentPhase());
        }
    });
    // Past the watchdog every fault is cleared, so the player can end the run.
    headless::SetSleepHook([&](uint32_t tick, uint32_t) {
        if (tick - script.startTick > kWatchdogMilliseconds && !outcome.overran) {
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
    headless::SetKeySource(nullptr);
    headless::SetFrameHook(nullptr);
    headless::SetSleepHook(nullptr);
    headless::Reset();
    if (headless::LiveObjects() != aliveBefore) {
        outcome.leftAlive = headless::LiveObjectsLeft();
    }
    return outcome;
}

// The run went from the title through play to the end screen as scripted,
// reported nothing and gave back all it made.
inline void ExpectRunThrough(const Outcome& outcome, const Script& script) {
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_FALSE(outcome.overran) << "the game stopped reacting to the keys";
    EXPECT_EQ(outcome.stderrText, "");
    EXPECT_EQ(outcome.leftAlive, "");
    EXPECT_GE(outcome.reads[Index(Phase::Title)], script.titleReads);
    EXPECT_GE(outcome.reads[Index(Phase::Play)], script.playReads);
    EXPECT_GT(outcome.reads[Index(Phase::End)], script.endReads);
}

}  // namespace test_support
