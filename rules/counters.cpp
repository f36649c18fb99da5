#include "rules/counters.h"

int32_t rowsCleared = 0;
int32_t gamesLeft = 3;
