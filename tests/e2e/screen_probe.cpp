// Says whether a screenshot of the running game (a binary PPM of the whole X
// screen) shows what it must, from the picture files in the working folder:
//   screen_probe title|play|end SHOT
// the title picture in its own colours, the end picture in the play colours,
// or the play background and a well of tiles, printing the place and shape of
// the first falling piece (see WellShowsAPiece). The game's 640 x 480
// picture is scaled to the screen, aspect kept and centred: each game pixel is
// looked at in the middle of its block.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/picture_file.h"

namespace {

using test_support::PictureFile;
using test_support::ReadPictureFile;

struct Screen {
    int width = 0, height = 0;
    double scale = 1;
    std::vector<uint8_t> rgb;

    bool Read(const std::string& fileName) {
        std::ifstream file(fileName, std::ios::binary);
        std::string magic;
        int maxValue = 0;
        file >> magic >> width >> height >> maxValue;
        file.get();
        if (!file || magic != "P6" || maxValue != 255 || width <= 0 || height <= 0) {
            return false;
        }
        rgb.resize(static_cast<size_t>(width) * height * 3);
        file.read(reinterpret_cast<char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
        scale = std::min(width / 640.0, height / 480.0);
        return static_cast<bool>(file);
    }
    bool Shows(int x, int y, const platform::PaletteEntry& colour) const {
        const auto at = [this](int game, int screenSize, int gameSize) {
            return std::clamp(
                static_cast<int>((screenSize - gameSize * scale) / 2 + (game + 0.5) * scale), 0,
                screenSize - 1);
        };
        const uint8_t* shown =
            &rgb[(static_cast<size_t>(at(y, height, 480)) * width + at(x, width, 640)) * 3];
        return std::abs(shown[0] - colour.red) <= 2 && std::abs(shown[1] - colour.green) <= 2 &&
               std::abs(shown[2] - colour.blue) <= 2;
    }
};

// The well, the preview, the score and the games left.
bool InPlayArea(int x, int y) {
    const int areas[][4] = {
        {190, 1, 390, 461}, {400, 117, 480, 197}, {395, 256, 575, 276}, {473, 331, 493, 351}};
    return std::any_of(std::begin(areas), std::end(areas), [x, y](const int* a) {
        return x >= a[0] && x < a[2] && y >= a[1] && y < a[3];
    });
}

// The share of the picture's w x h area at (srcX, srcY), every step-th pixel,
// that shows at (left, top) in the given colours; see-through pixels and the
// places skip names are left out.
double ShareShown(const Screen& screen, const PictureFile& picture, int srcX, int srcY, int w,
                  int h, int left, int top, const PictureFile& colours, int step = 1,
                  bool (*skip)(int, int) = nullptr) {
    int matched = 0, compared = 0;
    for (int y = 0; y < h; y += step) {
        for (int x = 0; x < w; x += step) {
            const uint8_t index = picture.At(srcX + x, srcY + y);
            if (index != 253 && (skip == nullptr || !skip(left + x, top + y))) {
                ++compared;
                matched += screen.Shows(left + x, top + y, colours.palette[index]) ? 1 : 0;
            }
        }
    }
    return compared == 0 ? 0 : static_cast<double>(matched) / compared;
}

bool WholePictureShows(const Screen& screen, const char* picture, const PictureFile& colours,
                       bool (*skip)(int, int) = nullptr) {
    const double share =
        ShareShown(screen, ReadPictureFile(picture), 0, 0, 640, 480, 0, 0, colours, 3, skip);
    std::printf("%s: %.4f of pixels as they must be\n", picture, share);
    return share >= 0.99;
}

// Every cell of the well shows one of the tiles. While the first piece of a
// game falls it is all there is in the well: its leftmost column and top row
// are printed as "piece COLUMN ROW", its blocks as "shape" and the places
// they take, counted from there, and their number as "blocks".
bool WellShowsAPiece(const Screen& screen, const PictureFile& colours) {
    const PictureFile tiles = ReadPictureFile("cubeshards2.bmp");
    int pieceColumn = -1, pieceRow = -1, unreadable = 0;
    std::vector<std::pair<int, int>> blocks;
    for (int row = 0; row < 23; ++row) {
        for (int column = 0; column < 10; ++column) {
            int tile = 0;
            while (tile < 8 && ShareShown(screen, tiles, 2 + 23 * tile, 4, 20, 20,
                                          190 + 20 * column, 1 + 20 * row, colours) < 0.98) {
                ++tile;
            }
            unreadable += tile == 8 ? 1 : 0;
            if (tile > 0 && tile < 8) {
                pieceRow = pieceRow < 0 ? row : pieceRow;
                pieceColumn = pieceColumn < 0 ? column : std::min(pieceColumn, column);
                blocks.emplace_back(column, row);
            }
        }
    }
    std::printf("well: %d cells unreadable\npiece %d %d\nblocks %zu\nshape", unreadable,
                pieceColumn, pieceRow, blocks.size());
    for (const auto& [column, row] : blocks) {
        std::printf(" %d,%d", column - pieceColumn, row - pieceRow);
    }
    std::printf("\n");
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
    if (check == "play") {
        const bool background = WholePictureShows(screen, "menu1.bmp", play, InPlayArea);
        return WellShowsAPiece(screen, play) && background ? 0 : 1;
    }
    const bool title = check == "title";
    if (!title && check != "end") {
        return 2;
    }
    return WholePictureShows(screen, title ? "start.bmp" : "end.bmp",
                             title ? ReadPictureFile("start.bmp") : play)
               ? 0
               : 1;
}
