// The handles of the game's one window and of the program instance. The
// display, the keyboard and the sound device bind to the window.
#pragma once

#include "platform/window.h"

extern platform::WindowHandle mainWindow;
extern platform::InstanceHandle appInstance;
