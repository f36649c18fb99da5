// Where tiles and digits go on the 640 x 480 screen: the background picture
// has its well, preview box and score fields at exactly these places.
#include "video/frame.h"

namespace {

constexpr int32_t kCellSize = 20;

}  // namespace

int32_t BoardCellX(int32_t column) {
    return 190 + kCellSize * column;
}
int32_t BoardCellY(int32_t row) {
    return 1 + kCellSize * row;
}
int32_t PreviewCellX(int32_t column) {
    return 400 + kCellSize * column;
}
int32_t PreviewCellY(int32_t row) {
    return 117 + kCellSize * row;
}
int32_t ScoreDigitX(int32_t entry) {
    return 555 - kCellSize * entry;
}
int32_t ScoreDigitY() {
    return 256;
}
int32_t GamesLeftX() {
    return 473;
}
int32_t GamesLeftY() {
    return 331;
}
int32_t EndScoreDigitX(int32_t entry) {
    return 381 - kCellSize * entry;
}
int32_t EndScoreDigitY() {
    return 148;
}
