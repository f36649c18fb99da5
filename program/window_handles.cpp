#include "program/window_handles.h"

platform::WindowHandle mainWindow = nullptr;
platform::InstanceHandle appInstance = nullptr;
