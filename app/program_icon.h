// The program's icon, carried inside the program file. Its source is written
// by tools/assetgen at build time (library program_icon).
#pragma once

#include "platform/window.h"

const platform::IconImage& ProgramIcon();
