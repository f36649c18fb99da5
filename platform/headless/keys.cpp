// Scripted keys: a timeline of presses and releases against the manual clock,
// or a source that makes each snapshot itself.
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/backend.h"
#include "platform/headless/control.h"
#include "platform/headless/state.h"
#include "platform/keys.h"

namespace platform {
namespace {

constexpr size_t kKeyCount = 256;

struct KeyChange {
    uint32_t tick;
    uint8_t scanCode;
    bool down;
};

struct KeyState {
    std::vector<KeyChange> timeline;  // in the order given
    headless::KeySource source;
    uint64_t reads = 0;
};

KeyState& Keys() {
    static KeyState keys;
    return keys;
}

void ResetKeys() {
    Keys() = KeyState{};
}

const headless::ResetOnFreshMachine kResetKeys{&ResetKeys};

// Ticks wrap, so "at or before now" and "how long ago" are measured backwards
// from now.
bool HasCome(uint32_t tick, uint32_t now) {
    return static_cast<int32_t>(now - tick) >= 0;
}

void SnapshotFromTimeline(uint32_t now, uint8_t* keys) {
    uint32_t age[kKeyCount] = {};
    bool seen[kKeyCount] = {};
    for (const KeyChange& change : Keys().timeline) {
        if (!HasCome(change.tick, now)) {
            continue;
        }
        uint32_t changeAge = now - change.tick;
        // The latest change wins; of two at the same tick, the one given later.
        if (!seen[change.scanCode] || changeAge <= age[change.scanCode]) {
            seen[change.scanCode] = true;
            age[change.scanCode] = changeAge;
            keys[change.scanCode] = change.down ? kKeyDown : 0;
        }
    }
}

}  // namespace

void headless::SetKey(uint8_t scanCode, bool down) {
    uint32_t now = Ticks();
    // Changes of this key that have come are overtaken by this one.
    std::erase_if(Keys().timeline, [&](const KeyChange& change) {
        return change.scanCode == scanCode && HasCome(change.tick, now);
    });
    Keys().timeline.push_back({now, scanCode, down});
}

void headless::ScheduleKey(uint32_t tick, uint8_t scanCode, bool down) {
    Keys().timeline.push_back({tick, scanCode, down});
}

void headless::ClearKeySchedule() {
    uint32_t now = Ticks();
    std::erase_if(Keys().timeline,
                  [&](const KeyChange& change) { return !HasCome(change.tick, now); });
}

void headless::SetKeySource(KeySource source) {
    Keys().source = std::move(source);
}

uint64_t headless::KeyboardReads() {
    return Keys().reads;
}

bool backend::ReadKeyboard(uint8_t* keys) {
    KeyState& state = Keys();
    ++state.reads;
    std::memset(keys, 0, kKeyCount);
    uint32_t now = headless::Ticks();
    if (state.source) {
        state.source(now, keys);
        // A source may mark keys with any non-zero byte; the device gives 0x80.
        for (size_t i = 0; i < kKeyCount; ++i) {
            keys[i] = keys[i] != 0 ? kKeyDown : 0;
        }
    } else {
        SnapshotFromTimeline(now, keys);
    }
    return true;
}

}  // namespace platform
