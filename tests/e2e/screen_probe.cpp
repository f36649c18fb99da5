// Says whether a screenshot of the running game (a binary PPM of the whole X
// screen) shows what it must. The game's 640 x 480 picture is scaled to the
// screen, aspect kept and centred, so each game pixel is looked at in the
// middle of the block of screen pixels it covers. Reads the picture files
// from the working directory.
//
//   screen_probe title SHOT   the title picture in its own colours
//   screen_probe play SHOT    the play background and a well of tiles; prints
//                             the piece's leftmost column and top row
//   screen_probe end SHOT     the end picture in the play colours
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/picture_file.h"

namespace {

using test_support::PictureFile;
using test_support::ReadPictureFile;

constexpr uint8_t kSeeThrough = 253;

class Screen {
public:
    bool Read(const std::string& fileName) {
        std::ifstream file(fileName, std::ios::binary);
        std::string magic;
        int maxValue = 0;
        file >> magic >> width_ >> height_ >> maxValue;
        file.get();
        if (!file || magic != "P6" || maxValue != 255 || width_ <= 0 || height_ <= 0) {
            return false;
        }
        rgb_.resize(static_cast<size_t>(width_) * height_ * 3);
        file.read(reinterpret_cast<char*>(rgb_.data()), static_cast<std::streamsize>(rgb_.size()));
        scale_ = std::min(width_ / 640.0, height_ / 480.0);
        return static_cast<bool>(file);
    }
    // Whether game pixel (x, y) shows the colour.
    bool Shows(int x, int y, const platform::PaletteEntry& colour) const {
        const int sx = std::clamp(
            static_cast<int>((width_ - 640 * scale_) / 2 + (x + 0.5) * scale_), 0, width_ - 1);
        const int sy = std::clamp(
            static_cast<int>((height_ - 480 * scale_) / 2 + (y + 0.5) * scale_), 0, height_ - 1);
        const uint8_t* shown = &rgb_[(static_cast<size_t>(sy) * width_ + sx) * 3];
        return std::abs(shown[0] - colour.red) <= 2 && std::abs(shown[1] - colour.green) <= 2 &&
               std::abs(shown[2] - colour.blue) <= 2;
    }

private:
    int width_ = 0, height_ = 0;
    double scale_ = 1;
    std::vector<uint8_t> rgb_;
};

// The share of the picture rectangle's pixels (not see-through, not skipped)
// that show at (left, top) in the given colours.
template <typename Skip>
double ShareShown(const Screen& screen, const PictureFile& picture, int srcX, int srcY, int size[2],
                  int left, int top, const PictureFile& colours, int step, Skip skip) {
    int matched = 0, compared = 0;
    for (int y = 0; y < size[1]; y += step) {
        for (int x = 0; x < size[0]; x += step) {
            const uint8_t index = picture.At(srcX + x, srcY + y);
            if (index != kSeeThrough && !skip(left + x, top + y)) {
                ++compared;
                matched += screen.Shows(left + x, top + y, colours.palette[index]) ? 1 : 0;
            }
        }
    }
    return compared == 0 ? 0 : static_cast<double>(matched) / compared;
}

bool WholePictureShows(const Screen& screen, const char* what, const PictureFile& picture,
                       const PictureFile& colours, bool (*skip)(int, int)) {
    int size[2] = {640, 480};
    const double share = ShareShown(screen, picture, 0, 0, size, 0, 0, colours, 3, skip);
    std::printf("%s: %.4f of pixels as they must be\n", what, share);
    return share >= 0.99;
}

bool Nothing(int, int) {
    return false;
}

// The well, the preview, the score and the games left.
bool InPlayArea(int x, int y) {
    const int areas[][4] = {
        {190, 1, 390, 461}, {400, 117, 480, 197}, {395, 256, 575, 276}, {473, 331, 493, 351}};
    return std::any_of(std::begin(areas), std::end(areas), [x, y](const int* a) {
        return x >= a[0] && x < a[2] && y >= a[1] && y < a[3];
    });
}

// Every cell of the well shows one of the tiles; the falling piece is the
// blocks near the top, all there is there early in a game.
bool WellShowsAPiece(const Screen& screen, const PictureFile& tiles, const PictureFile& colours) {
    int pieceColumn = -1, pieceRow = -1, unreadable = 0;
    int size[2] = {20, 20};
    for (int row = 0; row < 23; ++row) {
        for (int column = 0; column < 10; ++column) {
            int best = -1;
            for (int tile = 0; tile < 8 && best < 0; ++tile) {
                if (ShareShown(screen, tiles, 2 + 23 * tile, 4, size, 190 + 20 * column,
                               1 + 20 * row, colours, 1, Nothing) >= 0.98) {
                    best = tile;
                }
            }
            unreadable += best < 0 ? 1 : 0;
            if (best > 0 && row < 8) {
                pieceRow = pieceRow < 0 ? row : pieceRow;
                pieceColumn = pieceColumn < 0 ? column : std::min(pieceColumn, column);
            }
        }
    }
    std::printf("well: %d cells unreadable\npiece %d %d\n", unreadable, pieceColumn, pieceRow);
    return unreadable == 0;
}

}  // namespace

int main(int argc, char** argv) {
    Screen screen;
    if (argc != 3 || !screen.Read(argv[2])) {
        std::fprintf(stderr, "usage: screen_probe title|play|end SHOT\n");
        return 2;
    }
    const std::string check = argv[1];
    const PictureFile play = ReadPictureFile("menu1.bmp");
    if (check == "title") {
        const PictureFile title = ReadPictureFile("start.bmp");
        return WholePictureShows(screen, "title picture", title, title, Nothing) ? 0 : 1;
    }
    if (check == "play") {
        const bool background =
            WholePictureShows(screen, "play background", play, play, InPlayArea);
        return WellShowsAPiece(screen, ReadPictureFile("cubeshards2.bmp"), play) && background ? 0
                                                                                               : 1;
    }
    if (check == "end") {
        return WholePictureShows(screen, "end picture", ReadPictureFile("end.bmp"), play, Nothing)
                   ? 0
                   : 1;
    }
    return 2;
}
