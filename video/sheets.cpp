// The block tiles and the digits, cut from their picture strips: 20 x 20
// images with 3-pixel gaps, the first at column 2, row 4.
#include <new>

#include "video/sprite_sheet.h"

SpriteSheet* tileSheet = nullptr;
SpriteSheet* digitSheet = nullptr;

namespace {

constexpr int32_t kStripImageSize = 20;
constexpr int32_t kStripFirstX = 2;
constexpr int32_t kStripStep = 23;
constexpr int32_t kStripY = 4;
constexpr int32_t kTileCount = 8;
constexpr int32_t kDigitCount = 10;

// A missing or broken picture leaves the frames as they were made: the game
// goes on without them rather than stopping.
SpriteSheet* CutStrip(const char* fileName, int32_t frameCount) {
    Bitmap picture;
    picture.Load(fileName);
    auto* sheet = new (std::nothrow) SpriteSheet(frameCount, kStripImageSize, kStripImageSize);
    if (sheet == nullptr) {
        return nullptr;
    }
    for (int32_t frame = 0; frame < frameCount; ++frame) {
        sheet->LoadFrame(picture, frame, kStripFirstX + kStripStep * frame, kStripY);
    }
    return sheet;
}

void ReleaseSheet(SpriteSheet*& sheet) {
    if (sheet == nullptr) {
        return;
    }
    sheet->ReleaseSurfaces();
    delete sheet;
    sheet = nullptr;
}

}  // namespace

bool LoadTileSheet() {
    ReleaseSheet(tileSheet);
    tileSheet = CutStrip("cubeshards2.bmp", kTileCount);
    return tileSheet != nullptr;
}

bool LoadDigitSheet() {
    ReleaseSheet(digitSheet);
    digitSheet = CutStrip("score.bmp", kDigitCount);
    return digitSheet != nullptr;
}

void ReleaseTileSheet() {
    ReleaseSheet(tileSheet);
}

void ReleaseDigitSheet() {
    ReleaseSheet(digitSheet);
}
