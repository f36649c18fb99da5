// Result codes shared by every platform service.
//
// The game checks results the way it always has: 0 is success and a negative
// value is a failure. A few services report through a boolean or a count
// instead; their headers say so.
#pragma once

#include <cstdint>

namespace platform {

using Result = int32_t;

inline constexpr Result kOk = 0;
inline constexpr Result kErrGeneric = static_cast<Result>(0x80004005u);
inline constexpr Result kErrNotImplemented = static_cast<Result>(0x80004001u);
inline constexpr Result kErrInvalidParams = static_cast<Result>(0x80070057u);
inline constexpr Result kErrOutOfMemory = static_cast<Result>(0x8007000Eu);
inline constexpr Result kErrNoDevice = static_cast<Result>(0x80070015u);
inline constexpr Result kErrNotAcquired = static_cast<Result>(0x8007000Cu);
inline constexpr Result kErrInvalidRect = static_cast<Result>(0x88760096u);
inline constexpr Result kErrSurfaceLost = static_cast<Result>(0x887601C2u);
inline constexpr Result kErrSurfaceBusy = static_cast<Result>(0x887601AEu);
inline constexpr Result kErrBufferLost = static_cast<Result>(0x88780096u);

inline constexpr bool Failed(Result result) {
    return result < 0;
}

// Why the most recent platform call failed, in words a player can act on
// ("no audio device: ...", "cannot open display: ..."). Never null.
const char* LastErrorText();

}  // namespace platform
