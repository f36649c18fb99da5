// The program: its entry point, window procedure, start-up and shut-down.
#pragma once

#include <cstdint>

#include "platform/window.h"
#include "rules/score.h"

int32_t WinMain(platform::InstanceHandle instance, platform::InstanceHandle previous,
                const char* commandLine, int32_t showCommand);
intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                    intptr_t lParam);
int32_t InitGame(Score* score);
int32_t ShutdownGame(Score* score);

// The program file's icon, which the window shows; none when null.
extern const platform::IconImage* programIcon;
