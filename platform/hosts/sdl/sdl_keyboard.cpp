// The keyboard snapshot, kept from SDL's key events. SDL's own key state shows
// only how the keys are at the moment it is read, which loses a key pressed
// and let go between two reads; the events lose nothing.
#include "platform/hosts/host.h"
#include "platform/hosts/host_key_snapshots.h"
#include "platform/hosts/sdl/sdl_key_table.h"
#include "platform/hosts/sdl/sdl_session.h"

namespace platform {
namespace {

KeySnapshots snapshots;

}  // namespace

void sdl::KeyChanged(int sdlScancode, bool down) {
    const uint8_t scanCode = ScanCodeForSdl(sdlScancode);
    if (scanCode == 0) {
        return;  // a key the game's keyboard does not have
    }
    if (down) {
        snapshots.KeyDown(scanCode);
    } else {
        snapshots.KeyUp(scanCode);
    }
}

void sdl::AllKeysUp() {
    snapshots.AllKeysUp();
}

bool host::ReadKeyboard(uint8_t* keys) {
    if (!sdl::StartVideo()) {
        return false;
    }
    // The events are in: the device pumped them just before this read.
    snapshots.Take(keys);
    return true;
}

}  // namespace platform
