// Scripted keys: a timeline of presses and releases against the manual clock,
// or a source that makes each snapshot itself.
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/hosts/headless/headless_control.h"
#include "platform/hosts/headless/headless_state.h"
#include "platform/hosts/host.h"
#include "platform/hosts/host_key_snapshots.h"
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
    // Changes still to come, in the order given. Each is handed to the
    // snapshots once its tick has come, as a real keyboard's events would be.
    std::vector<KeyChange> pending;
    KeySnapshots snapshots;
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

// Ticks wrap, so "at or before now" is measured backwards from now.
bool HasCome(uint32_t tick, uint32_t now) {
    return static_cast<int32_t>(now - tick) >= 0;
}

void Apply(const KeyChange& change) {
    if (change.down) {
        Keys().snapshots.KeyDown(change.scanCode);
    } else {
        Keys().snapshots.KeyUp(change.scanCode);
    }
}

// Hands over the changes whose tick has come, oldest first; of two at the
// same tick, the one given first.
void ApplyChangesDue(uint32_t now) {
    std::vector<KeyChange>& pending = Keys().pending;
    const auto firstNotDue =
        std::stable_partition(pending.begin(), pending.end(),
                              [now](const KeyChange& change) { return HasCome(change.tick, now); });
    std::vector<KeyChange> due(pending.begin(), firstNotDue);
    pending.erase(pending.begin(), firstNotDue);
    std::stable_sort(due.begin(), due.end(), [now](const KeyChange& a, const KeyChange& b) {
        return now - a.tick > now - b.tick;
    });
    for (const KeyChange& change : due) {
        Apply(change);
    }
}

}  // namespace

void headless::SetKey(uint8_t scanCode, bool down) {
    const uint32_t now = Ticks();
    ApplyChangesDue(now);
    Apply({now, scanCode, down});
}

void headless::ScheduleKey(uint32_t tick, uint8_t scanCode, bool down) {
    Keys().pending.push_back({tick, scanCode, down});
}

void headless::ClearKeySchedule() {
    ApplyChangesDue(Ticks());
    Keys().pending.clear();
}

void headless::SetKeySource(KeySource source) {
    Keys().source = std::move(source);
}

uint64_t headless::KeyboardReads() {
    return Keys().reads;
}

bool host::ReadKeyboard(uint8_t* keys) {
    KeyState& state = Keys();
    ++state.reads;
    std::memset(keys, 0, kKeyCount);
    const uint32_t now = headless::Ticks();
    if (state.source) {
        state.source(now, keys);
        // A source may mark keys with any non-zero byte; the device gives 0x80.
        for (size_t i = 0; i < kKeyCount; ++i) {
            keys[i] = keys[i] != 0 ? kKeyDown : 0;
        }
    } else {
        ApplyChangesDue(now);
        state.snapshots.Take(keys);
    }
    return true;
}

}  // namespace platform
