// How start-up tells the player that the game cannot run.
#pragma once

#include <cstdint>

// The exit code of a start-up that failed.
inline constexpr int32_t kStartupFailed = 1;

// Shows the player one line naming what failed and why (on standard error,
// or where that goes nowhere in a message box); returns 0, the result of a
// failed set-up step.
int32_t ReportStartupFailure(const char* what, const char* reason);
// The same, with the platform's account of its last failure as the reason.
int32_t ReportStartupFailure(const char* what);

// Releases whatever start-up made, in the order of shut-down, skipping what
// does not exist.
void ReleaseGameSounds();
void ReleaseSheetsAndDevices();
