// The keyboard as the source of player actions: one snapshot of all keys per
// poll, reduced to one action by a fixed order of priority.
#pragma once

#include <cstdint>

#include "platform/input.h"
#include "rules/piece.h"

using Action = int32_t;
inline constexpr Action ActionNone = 0;
inline constexpr Action ActionLeft = 1;
inline constexpr Action ActionRight = 2;
inline constexpr Action ActionDown = 4;
inline constexpr Action ActionRotate = 5;
inline constexpr Action ActionQuit = 7;
inline constexpr Action ActionPause = 8;

extern platform::InputSystem* directInput;
extern platform::KeyboardDevice* keyboardDevice;
// Set when Right, Left or Return fires; cleared by a poll that fires nothing
// while Return is up.
extern int32_t keyLatch;
// The space bar may turn the piece only when the tick count is past this.
extern uint32_t nextRotateTime;

int32_t InitKeyboard();
void ReleaseKeyboard();
Action PollKeyboard();
// Polls once and carries the action out: 0 nothing took effect, 7 quit,
// anything else an action took place.
int32_t DispatchAction(Piece& piece, int16_t* cells);
int32_t PauseGame();
