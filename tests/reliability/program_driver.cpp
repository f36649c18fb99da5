#include "tests/reliability/program_driver.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/game.h"
#include "audio/sound.h"
#include "flow/fall.h"
#include "flow/keyboard.h"
#include "platform/keys.h"
#include "rules/board.h"
#include "rules/counters.h"
#include "video/frame.h"

namespace reliability {
namespace {

// Far more reads than any script takes; past it the player forces the end.
constexpr int64_t kOverrunReads = 200000;

void ResetRunCounters() {
    gamesLeft = 3;
    rowsCleared = 0;
    keyLatch = 0;
    nextRotateTime = 0;
    nextGravityTick = 0;
    ClearBoard();
}

size_t Index(Phase phase) {
    return static_cast<size_t>(phase);
}

// Ends the run from wherever it is: Escape leaves play and, once let go and
// pressed again, the end screen; a read with nothing down and then Return
// leaves a pause or the title.
Keys ForceTheEnd(int64_t read) {
    switch (read % 4) {
        case 0:
        case 1:
            return {platform::DIK_ESCAPE};
        case 2:
            return {};
        default:
            return {platform::DIK_RETURN};
    }
}

// Return held for three reads and let go for two, again and again. The end
// screen reads the keys twice a pass and takes Return only at the second
// read; a press first seen by the first read is spent there. An odd period
// makes a press start at the second read sooner or later.
Keys PressesOfReturn(int64_t read) {
    return read % 5 < 3 ? Keys{platform::DIK_RETURN} : Keys{};
}

class Player {
public:
    Player(const Script& script, Outcome& outcome) : script_(script), outcome_(outcome) {}

    Keys KeysForRead() {
        const Phase phase = CurrentPhase();
        const int64_t read = outcome_.reads[Index(phase)]++;
        if (++totalReads_ > kOverrunReads) {
            outcome_.overran = true;
            return ForceTheEnd(totalReads_);
        }
        switch (phase) {
            case Phase::Title:
                return read >= script_.titleReads ? Keys{platform::DIK_RETURN} : Keys{};
            case Phase::Play:
                if (read >= script_.playReads) {
                    // A pause may still be on: let go, resume, then quit.
                    return ForceTheEnd(read - script_.playReads);
                }
                return script_.playKeys(read);
            case Phase::End:
                return read >= script_.endReads ? PressesOfReturn(read - script_.endReads)
                                                : Keys{};
        }
        return {};
    }

private:
    const Script& script_;
    Outcome& outcome_;
    int64_t totalReads_ = 0;
};

}  // namespace

Phase CurrentPhase() {
    if (musicSound != nullptr) {
        return Phase::Play;
    }
    return backgroundSheet != nullptr ? Phase::End : Phase::Title;
}

Outcome RunProgram(const Script& script) {
    platform::headless::Reset(script.startTick);
    ResetRunCounters();
    platform::headless::SetFramesKept(1);

    Outcome outcome;
    Player player(script, outcome);
    platform::headless::SetKeySource([&player](uint32_t, uint8_t* keys) {
        for (uint8_t key : player.KeysForRead()) {
            keys[key] = 0x80;
        }
    });
    platform::headless::SetFrameHook([&](const platform::headless::Frame& frame) {
        const Phase phase = CurrentPhase();
        ++outcome.frames[Index(phase)];
        if (script.onFrame) {
            script.onFrame(frame, phase);
        }
    });
    platform::headless::SetSleepHook([&](uint32_t tick, uint32_t milliseconds) {
        if (tick - script.startTick > script.watchdogMilliseconds && !outcome.overran) {
            outcome.overran = true;
            platform::headless::ClearFaults();
        }
        if (script.onSleep) {
            script.onSleep(tick, milliseconds);
        }
    });

    if (script.beforeStart) {
        script.beforeStart();
    }
    const int64_t aliveBefore = platform::headless::LiveObjects();
    ::testing::internal::CaptureStderr();
    outcome.exitCode = WinMain(platform::GetProgramInstance(), nullptr, "", 0);
    outcome.stderrText = ::testing::internal::GetCapturedStderr();

    for (size_t step = 0; step < outcome.stepCalls.size(); ++step) {
        outcome.stepCalls[step] = platform::headless::StepCalls(static_cast<platform::Fault>(step));
    }
    platform::headless::SetKeySource(nullptr);
    platform::headless::SetFrameHook(nullptr);
    platform::headless::SetSleepHook(nullptr);
    platform::headless::Reset();
    if (platform::headless::LiveObjects() != aliveBefore) {
        outcome.leftAlive = platform::headless::LiveObjectsLeft();
    }
    return outcome;
}

}  // namespace reliability
