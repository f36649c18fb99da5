// Runs the whole program from its entry point on the headless backend, with a
// player who reacts to what the screen shows, and keeps a log of every frame.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/game.h"
#include "platform/headless/control.h"
#include "platform/keys.h"
#include "tests/support/play_rig.h"
#include "tests/support/screens.h"

namespace test_support {

struct FrameRecord {
    Screen screen = Screen::Blank;
    uint32_t tick = 0;
    int32_t gamesLeft = 0;  // the counter when the frame was shown
    Board cells{};
};

// What the player does on each screen; the default plays a game quickly.
struct Player {
    int32_t titleFramesBeforeReturn = 2;
    int32_t endFramesBeforeReturn = 2;
    // Keys during one pass of play, by the number of play frames seen so far.
    std::function<std::vector<uint8_t>(int64_t playFrame)> playKeys = [](int64_t) {
        return std::vector<uint8_t>{platform::DIK_DOWN};
    };
};

class ProgramRun {
public:
    explicit ProgramRun(Player player = {}) : player_(std::move(player)) {
        platform::headless::SetFramesKept(4);
        platform::headless::SetFrameHook(
            [this](const platform::headless::Frame& frame) { Record(frame); });
        platform::headless::SetKeySource([this](uint32_t, uint8_t* keys) { Press(keys); });
    }
    ~ProgramRun() {
        platform::headless::SetFrameHook(nullptr);
        platform::headless::SetKeySource(nullptr);
    }
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    int32_t Start() { return WinMain(platform::GetProgramInstance(), nullptr, "", 0); }

    // Called with every frame as it is shown, after it is logged.
    std::function<void(const platform::headless::Frame&, const FrameRecord&)> onFrame;

    const std::vector<FrameRecord>& Log() const { return log_; }
    const GamePictures& Pictures() const { return pictures_; }

    // The screens in the order shown, each run of equal screens once.
    std::vector<Screen> ScreenSequence() const {
        std::vector<Screen> sequence;
        for (const auto& record : log_) {
            if (sequence.empty() || sequence.back() != record.screen) {
                sequence.push_back(record.screen);
            }
        }
        return sequence;
    }
    int64_t Count(Screen screen) const { return counts_[static_cast<size_t>(screen)]; }

private:
    void Record(const platform::headless::Frame& frame) {
        FrameRecord record;
        record.screen = Classify(frame, pictures_);
        record.tick = frame.tick;
        record.gamesLeft = gamesLeft;
        record.cells = board;
        log_.push_back(record);
        ++counts_[static_cast<size_t>(record.screen)];
        if (onFrame) {
            onFrame(frame, record);
        }
    }
    int64_t Seen(Screen screen) const { return Count(screen); }
    void Press(uint8_t* keys) {
        std::fill_n(keys, 256, uint8_t{0});
        const Screen last = log_.empty() ? Screen::Blank : log_.back().screen;
        std::vector<uint8_t> down;
        if (last == Screen::Title && Seen(Screen::Title) >= player_.titleFramesBeforeReturn) {
            down = {platform::DIK_RETURN};
        } else if ((last == Screen::Play || last == Screen::Loading) &&
                   log_.size() != framesAtLastPlayPoll_) {
            // One pass of play polls once after each frame; a key given for
            // that pass is let go before any later poll.
            framesAtLastPlayPoll_ = log_.size();
            down = player_.playKeys(Seen(Screen::Play));
        } else if (last == Screen::End && Seen(Screen::End) >= player_.endFramesBeforeReturn) {
            down = {platform::DIK_RETURN};
        }
        for (uint8_t key : down) {
            keys[key] = kKeyDown;
        }
    }

    Player player_;
    GamePictures pictures_;
    std::vector<FrameRecord> log_;
    std::array<int64_t, 6> counts_{};
    size_t framesAtLastPlayPoll_ = static_cast<size_t>(-1);
};

}  // namespace test_support
