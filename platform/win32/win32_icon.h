// The platform's palettised icon pictures as the system's icons.
#pragma once

#include "platform/win32/win32_windows_api.h"

#include "platform/window.h"

namespace platform::win32 {

// A new icon of the picture, or null when it is not a usable picture.
HICON MakeIcon(const IconImage& icon);

}  // namespace platform::win32
