#include <cmath>

#include "rules/counters.h"
#include "rules/score.h"

// A landing of n rows is worth n to the power n. The points go into the units
// and are carried upwards in one pass; the top entry keeps whatever overflows
// the nine shown digits.
void AddRowScore(Score& score, int32_t n) {
    rowsCleared += n;
    const double points = std::pow(static_cast<double>(n), static_cast<double>(n));
    score[0] = static_cast<int32_t>(points + score[0]);
    for (size_t i = 0; i + 1 < score.size(); ++i) {
        score[i + 1] += score[i] / 10;
        score[i] %= 10;
    }
}
