#include "platform/hosts/host_key_snapshots.h"

#include <cstddef>

#include "platform/keys.h"

namespace platform {

void KeySnapshots::KeyDown(uint8_t scanCode) {
    down_[scanCode] = true;
    pressedSinceSnapshot_[scanCode] = true;
}

void KeySnapshots::KeyUp(uint8_t scanCode) {
    down_[scanCode] = false;
}

void KeySnapshots::AllKeysUp() {
    down_.fill(false);
}

void KeySnapshots::Take(uint8_t* keys) {
    for (std::size_t code = 0; code < down_.size(); ++code) {
        keys[code] = down_[code] || pressedSinceSnapshot_[code] ? kKeyDown : 0;
    }
    pressedSinceSnapshot_.fill(false);
}

}  // namespace platform
