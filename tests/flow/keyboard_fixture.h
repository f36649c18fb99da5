// A fresh headless machine with the keyboard set up as start-up leaves it,
// and ways to hold keys and poll.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "flow/keyboard.h"
#include "platform/headless/control.h"
#include "platform/keys.h"

// The keys that are down in one snapshot.
using KeySet = std::vector<uint8_t>;

class KeyboardTest : public ::testing::Test {
protected:
    // Polls are a frame apart, as in the fall loop.
    static constexpr uint32_t kFrameMilliseconds = 40;

    void SetUp() override {
        platform::headless::Reset();
        keyLatch = 0;
        nextRotateTime = platform::headless::Ticks();
        ASSERT_EQ(InitKeyboard(), 1);
    }
    void TearDown() override { ReleaseKeyboard(); }

    // Exactly these keys are down from now on.
    static void Hold(const KeySet& keys) {
        for (int code = 0; code < 256; ++code) {
            platform::headless::SetKey(static_cast<uint8_t>(code),
                                       std::count(keys.begin(), keys.end(), code) != 0);
        }
    }

    // Polls a frame apart, count of them.
    static std::vector<Action> Polls(int count) {
        std::vector<Action> actions;
        for (int i = 0; i < count; ++i) {
            platform::headless::AdvanceTicks(kFrameMilliseconds);
            actions.push_back(PollKeyboard());
        }
        return actions;
    }
    static Action Poll() { return Polls(1)[0]; }

    // Snapshots by the number of the read: read n (from 0) gets script[n], and
    // the last entry holds for every later read.
    static void ScriptReads(std::vector<KeySet> script,
                            std::function<void(size_t read)> onRead = nullptr) {
        auto reads = std::make_shared<size_t>(0);
        platform::headless::SetKeySource([script = std::move(script), onRead = std::move(onRead),
                                          reads](uint32_t, uint8_t* keys) {
            const size_t read = (*reads)++;
            if (onRead) {
                onRead(read);
            }
            std::fill_n(keys, 256, 0);
            for (uint8_t key : script[std::min(read, script.size() - 1)]) {
                keys[key] = platform::kKeyDown;
            }
        });
    }
};
