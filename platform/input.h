// The keyboard, read as a snapshot of 256 key bytes indexed by scan code.
#pragma once

#include <cstdint>

#include "platform/result.h"
#include "platform/window.h"

namespace platform {

inline constexpr uint32_t kInputVersion = 0x0700;

inline constexpr uint32_t DISCL_EXCLUSIVE = 0x00000001u;
inline constexpr uint32_t DISCL_NONEXCLUSIVE = 0x00000002u;
inline constexpr uint32_t DISCL_FOREGROUND = 0x00000004u;
inline constexpr uint32_t DISCL_BACKGROUND = 0x00000008u;

// Which device CreateDevice makes. Only the system keyboard exists.
struct DeviceId {
    uint32_t value;
};
inline constexpr DeviceId kSystemKeyboard{1};

// The layout of a device's state. Only the keyboard's exists: 256 bytes, one
// per scan code, 0x80 for a key that is down.
struct DataFormat {
    uint32_t stateSize;
};
inline constexpr DataFormat kKeyboardFormat{256};

class KeyboardDevice {
public:
    Result SetCooperativeLevel(WindowHandle window, uint32_t flags);
    Result SetDataFormat(const DataFormat* format);
    // Starts delivering state. Acquiring an acquired device gives kOk.
    Result Acquire();
    Result Unacquire();
    // Fills 256 bytes with the keys: 0x80 for a key that is down now or was
    // pressed at any moment since the previous successful read, so a tap
    // between two reads shows in one read and a held key in every read (see
    // platform/hosts/host.h). Fails with kErrNotAcquired on a device that is
    // not acquired and kErrInvalidParams for a size other than the data
    // format's. Reading pumps the window system's events; a read that follows
    // the previous one within 10 milliseconds first waits for an event until
    // 10 milliseconds after it, so a polling loop does not keep a core busy.
    Result GetDeviceState(uint32_t size, void* state);
    uint32_t Release();

private:
    friend class InputSystem;
    explicit KeyboardDevice(void* native) : native_(native) {}
    ~KeyboardDevice();
    void* native_;
    bool formatSet_ = false;
    bool acquired_ = false;
    uint32_t lastReadTick_ = 0;
    bool hasRead_ = false;
    uint32_t references_ = 1;
};

class InputSystem {
public:
    Result CreateDevice(DeviceId device, KeyboardDevice** keyboard, void* outer);
    uint32_t Release();

private:
    friend Result CreateInput(InstanceHandle instance, uint32_t version, InputSystem** input,
                              void* outer);
    explicit InputSystem(void* native) : native_(native) {}
    ~InputSystem();
    void* native_;
    uint32_t references_ = 1;
};

// Makes the input system for the program instance (version kInputVersion).
Result CreateInput(InstanceHandle instance, uint32_t version, InputSystem** input, void* outer);

}  // namespace platform
