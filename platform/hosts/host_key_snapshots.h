// The keyboard snapshot for a host that hears the keys as a stream of
// key-down and key-up events (SDL's events, DirectInput's buffered data, a
// test's script) rather than reading their state directly.
//
// A key shows as down in a snapshot when it is down as the snapshot is taken,
// or when it went down at any moment since the previous snapshot. So:
//  - a tap that begins and ends between two snapshots shows in exactly one of
//    them, the next, just as a press held across that snapshot would;
//  - two or more taps of one key between two snapshots show once;
//  - a key held across snapshots shows in every one of them, and a key let go
//    shows as up from the first snapshot after, exactly as a direct reading
//    would give. The game's own rules on top (the one-shot latch of the
//    sideways and pause keys, the turn throttle, the fresh Return that ends
//    the pause) therefore see a held key as before and a tap as one short
//    press.
// A key let go and pressed again between two snapshots while it was down at
// the first is, like a direct reading, simply held.
#pragma once

#include <array>
#include <cstdint>

namespace platform {

class KeySnapshots {
public:
    // scanCode is a PC keyboard scan code (platform/keys.h).
    void KeyDown(uint8_t scanCode);
    void KeyUp(uint8_t scanCode);
    // Every key is up at once, as when the window loses the keyboard. A press
    // that no snapshot has shown yet still shows in the next one.
    void AllKeysUp();
    // Fills 256 bytes by scan code, kKeyDown for a key shown down and 0 for
    // every other, and starts the next interval.
    void Take(uint8_t* keys);

private:
    std::array<bool, 256> down_{};
    std::array<bool, 256> pressedSinceSnapshot_{};
};

}  // namespace platform
