// Looks at a screenshot of the running game (a binary PPM of the whole X
// screen) and says whether it shows what it must. The game's 640 x 480
// picture is scaled to the screen with its aspect kept and centred, so every
// game pixel is looked at in the middle of the block of screen pixels it
// covers. Reads the picture files from the working directory.
//
//   screen_probe title SHOT   the title picture in its own colours
//   screen_probe play SHOT    the play background, a well of tiles, the score
//                             0 and 3 games left; prints the piece's leftmost
//                             column and top row, and the well
//   screen_probe end SHOT     the end picture with the score 0 through it
//   screen_probe same SHOT1 SHOT2   the two screenshots are equal
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "tests/support/picture_file.h"

namespace {

using test_support::PictureFile;
using test_support::ReadPictureFile;

constexpr uint8_t kSeeThrough = 253;
constexpr int kGameWidth = 640;
constexpr int kGameHeight = 480;

struct Shot {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
};

bool ReadShot(const std::string& fileName, Shot& shot) {
    std::ifstream file(fileName, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    file >> magic >> shot.width >> shot.height >> maxValue;
    file.get();
    if (!file || magic != "P6" || maxValue != 255 || shot.width <= 0 || shot.height <= 0) {
        return false;
    }
    shot.rgb.resize(static_cast<size_t>(shot.width) * shot.height * 3);
    file.read(reinterpret_cast<char*>(shot.rgb.data()),
              static_cast<std::streamsize>(shot.rgb.size()));
    return static_cast<bool>(file);
}

// Where the game's pixels lie on the screen.
class Mapping {
public:
    explicit Mapping(const Shot& shot) : shot_(shot) {
        scale_ = std::min(static_cast<double>(shot.width) / kGameWidth,
                          static_cast<double>(shot.height) / kGameHeight);
        left_ = (shot.width - kGameWidth * scale_) / 2;
        top_ = (shot.height - kGameHeight * scale_) / 2;
    }
    // The colour shown for game pixel (x, y).
    const uint8_t* At(int x, int y) const {
        const int sx = std::clamp(static_cast<int>(left_ + (x + 0.5) * scale_), 0, shot_.width - 1);
        const int sy = std::clamp(static_cast<int>(top_ + (y + 0.5) * scale_), 0, shot_.height - 1);
        return &shot_.rgb[(static_cast<size_t>(sy) * shot_.width + sx) * 3];
    }
    bool Shows(int x, int y, const platform::PaletteEntry& colour) const {
        const uint8_t* shown = At(x, y);
        return std::abs(shown[0] - colour.red) <= 2 && std::abs(shown[1] - colour.green) <= 2 &&
               std::abs(shown[2] - colour.blue) <= 2;
    }

private:
    const Shot& shot_;
    double scale_ = 1;
    double left_ = 0;
    double top_ = 0;
};

// Counts the pixels of a picture rectangle (not see-through) that show at
// (left, top) in the given colours.
struct Tally {
    int matched = 0;
    int compared = 0;
    double Share() const { return compared == 0 ? 0 : static_cast<double>(matched) / compared; }
    void Add(const Tally& other) {
        matched += other.matched;
        compared += other.compared;
    }
};

Tally Compare(const Mapping& screen, const PictureFile& picture, int srcX, int srcY, int width,
              int height, int left, int top, const PictureFile& colours, int step = 1) {
    Tally tally;
    for (int y = 0; y < height; y += step) {
        for (int x = 0; x < width; x += step) {
            const uint8_t index = picture.At(srcX + x, srcY + y);
            if (index == kSeeThrough) {
                continue;
            }
            ++tally.compared;
            tally.matched += screen.Shows(left + x, top + y, colours.palette[index]) ? 1 : 0;
        }
    }
    return tally;
}

Tally CompareSprite(const Mapping& screen, const PictureFile& strip, int index, int left, int top,
                    const PictureFile& colours) {
    return Compare(screen, strip, 2 + 23 * index, 4, 20, 20, left, top, colours);
}

bool InPlayArea(int x, int y) {
    const int areas[][4] = {
        {190, 1, 390, 461}, {400, 117, 480, 197}, {395, 256, 575, 276}, {473, 331, 493, 351}};
    for (const auto& area : areas) {
        if (x >= area[0] && x < area[2] && y >= area[1] && y < area[3]) {
            return true;
        }
    }
    return false;
}

bool Report(const char* what, const Tally& tally, double needed) {
    std::printf("%s: %d of %d pixels as they must be\n", what, tally.matched, tally.compared);
    return tally.compared > 0 && tally.Share() >= needed;
}

int CheckTitle(const Mapping& screen) {
    const PictureFile title = ReadPictureFile("start.bmp");
    if (!title.Loaded()) {
        return 2;
    }
    const Tally tally = Compare(screen, title, 0, 0, kGameWidth, kGameHeight, 0, 0, title, 3);
    return Report("title picture", tally, 0.99) ? 0 : 1;
}

// The nine score digits (entry 0 the units at the right) all show 0.
Tally CompareZeroScore(const Mapping& screen, const PictureFile& digits, int rightmostX, int y,
                       const PictureFile& colours) {
    Tally tally;
    for (int entry = 0; entry < 9; ++entry) {
        tally.Add(CompareSprite(screen, digits, 0, rightmostX - 20 * entry, y, colours));
    }
    return tally;
}

int CheckPlay(const Mapping& screen) {
    const PictureFile play = ReadPictureFile("menu1.bmp");
    const PictureFile tiles = ReadPictureFile("cubeshards2.bmp");
    const PictureFile digits = ReadPictureFile("score.bmp");
    if (!play.Loaded() || !tiles.Loaded() || !digits.Loaded()) {
        return 2;
    }
    Tally background;
    for (int y = 0; y < kGameHeight; y += 3) {
        for (int x = 0; x < kGameWidth; x += 3) {
            const uint8_t index = play.At(x, y);
            if (index == kSeeThrough || InPlayArea(x, y)) {
                continue;
            }
            ++background.compared;
            background.matched += screen.Shows(x, y, play.palette[index]) ? 1 : 0;
        }
    }
    bool good = Report("play background", background, 0.99);

    // Every cell of the well shows one of the tiles; the falling piece is the
    // blocks nearest the top.
    int pieceColumn = -1;
    int pieceRow = -1;
    int unreadable = 0;
    std::string well;
    for (int row = 0; row < 23; ++row) {
        for (int column = 0; column < 10; ++column) {
            int best = -1;
            double bestShare = 0;
            for (int tile = 0; tile < 8; ++tile) {
                const double share =
                    CompareSprite(screen, tiles, tile, 190 + 20 * column, 1 + 20 * row, play)
                        .Share();
                if (share > bestShare) {
                    bestShare = share;
                    best = tile;
                }
            }
            if (bestShare < 0.98) {
                ++unreadable;
                well += '?';
                continue;
            }
            well += static_cast<char>('0' + best);
            // Early in a game the falling piece is all there is near the top.
            if (best != 0 && row < 8) {
                pieceRow = pieceRow < 0 ? row : pieceRow;
                pieceColumn = pieceColumn < 0 ? column : std::min(pieceColumn, column);
            }
        }
        well += '\n';
    }
    std::printf("well, %d cells unreadable:\n%s", unreadable, well.c_str());
    good = good && unreadable == 0;
    good = Report("score field", CompareZeroScore(screen, digits, 555, 256, play), 0.99) && good;
    good = Report("games left", CompareSprite(screen, digits, 3, 473, 331, play), 0.99) && good;
    std::printf("piece %d %d\n", pieceColumn, pieceRow);
    return good ? 0 : 1;
}

int CheckEnd(const Mapping& screen) {
    const PictureFile end = ReadPictureFile("end.bmp");
    const PictureFile play = ReadPictureFile("menu1.bmp");
    const PictureFile digits = ReadPictureFile("score.bmp");
    if (!end.Loaded() || !play.Loaded() || !digits.Loaded()) {
        return 2;
    }
    // Shown in the play colours.
    const Tally picture = Compare(screen, end, 0, 0, kGameWidth, kGameHeight, 0, 0, play, 3);
    bool good = Report("end picture", picture, 0.99);
    // The digits show where the picture is see-through.
    Tally score;
    for (int entry = 0; entry < 9; ++entry) {
        const int left = 381 - 20 * entry;
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) {
                const uint8_t digit = digits.At(2 + x, 4 + y);
                if (end.At(left + x, 148 + y) != kSeeThrough || digit == kSeeThrough) {
                    continue;
                }
                ++score.compared;
                score.matched += screen.Shows(left + x, 148 + y, play.palette[digit]) ? 1 : 0;
            }
        }
    }
    good = Report("score 0 through the picture", score, 0.99) && good;
    return good ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: screen_probe title|play|end SHOT | same SHOT1 SHOT2\n");
        return 2;
    }
    const std::string check = argv[1];
    Shot shot;
    if (!ReadShot(argv[2], shot)) {
        std::fprintf(stderr, "screen_probe: cannot read %s\n", argv[2]);
        return 2;
    }
    if (check == "same") {
        Shot other;
        if (argc < 4 || !ReadShot(argv[3], other)) {
            return 2;
        }
        return shot.width == other.width && shot.height == other.height && shot.rgb == other.rgb
                   ? 0
                   : 1;
    }
    const Mapping screen(shot);
    if (check == "title") {
        return CheckTitle(screen);
    }
    if (check == "play") {
        return CheckPlay(screen);
    }
    if (check == "end") {
        return CheckEnd(screen);
    }
    std::fprintf(stderr, "screen_probe: no check called %s\n", check.c_str());
    return 2;
}
