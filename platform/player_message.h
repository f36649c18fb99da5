// Telling the player why the game cannot run.
#pragma once

namespace platform {

// Writes the line on standard error. Where standard error goes nowhere (a
// Windows program started from the desktop has no console), the line is also
// shown in a message box, so that a game that stops at once says why.
void ShowFailure(const char* line);

}  // namespace platform
