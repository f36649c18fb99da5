// Reads screenshots of the running game, comparing them with the picture
// files in the working folder:
//   screen_probe title|end|play SHOT   the title picture in its own colours,
//       the end picture in the play colours, or the play background and a well
//       of tiles, printing the place and shape of the first falling piece;
//   screen_probe watch SECONDS SHOT    reads SHOT again and again for that long
//       and prints "TIME COLUMN ROW BLOCKS SHAPE" each time the well shows
//       something new (TIME in ms of the real-time clock);
//   screen_probe place SHOT            prints "KEY BLOCKS COLUMN SHAPE": the key
//       (space, Left, Right, or Down once there; none without a piece) that
//       brings the falling piece nearer to where it is best dropped.
// SHOT is a binary PPM, or the X screen as Xvfb keeps it in a file (-fbdir),
// an XWD image read in about a millisecond, so that the piece can be timed
// pass by pass. The game's 640 x 480 picture is scaled to the screen, aspect
// kept and centred: each game pixel is looked at in the middle of its block.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/support/picture_file.h"

namespace {

using test_support::PictureFile;
using test_support::ReadPictureFile;

std::vector<uint8_t> FileBytes(const std::string& fileName) {
    std::ifstream file(fileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// The screen's pixels as the file holds them: RGB for PPM, BGRX for Xvfb's.
struct Screen {
    int width = 0, height = 0;
    double scale = 1;
    std::vector<uint8_t> bytes;
    size_t pixels = 0, stride = 0, pixelSize = 3;
    int red = 0, blue = 2;

    bool Parse(std::vector<uint8_t> file) {
        bytes = std::move(file);
        const bool read =
            bytes.size() > 2 && bytes[0] == 'P' && bytes[1] == '6' ? ReadPpm() : ReadXwd();
        scale = std::min(width / 640.0, height / 480.0);
        return read && width > 0 && height > 0 && bytes.size() >= pixels + stride * height;
    }
    bool ReadPpm() {
        int maxValue = 0, header = 0;
        const std::string head(bytes.begin(), bytes.begin() + std::min<size_t>(bytes.size(), 64));
        if (std::sscanf(head.c_str(), "P6 %d %d %d%n", &width, &height, &maxValue, &header) != 3 ||
            maxValue != 255) {
            return false;
        }
        pixels = static_cast<size_t>(header) + 1;
        stride = static_cast<size_t>(width) * 3;
        return true;
    }
    // Xvfb's screen: a 32-bit true-colour ZPixmap, blue in the lowest byte.
    bool ReadXwd() {
        const auto field = [this](size_t index) {
            const uint8_t* at = &bytes[index * 4];
            return static_cast<size_t>(at[0]) << 24 | at[1] << 16 | at[2] << 8 | at[3];
        };
        if (bytes.size() < 100 || field(1) != 7 || field(2) != 2 || field(11) != 32 ||
            field(7) != 0 || field(14) != 0xff0000 || field(16) != 0xff) {
            return false;
        }
        width = static_cast<int>(field(4));
        height = static_cast<int>(field(5));
        stride = field(12);
        pixels = field(0) + field(19) * 12;
        pixelSize = 4;
        red = 2;
        blue = 0;
        return true;
    }
    bool Shows(int x, int y, const platform::PaletteEntry& colour) const {
        const auto at = [this](int game, int screenSize, int gameSize) {
            return static_cast<size_t>(std::clamp(
                static_cast<int>((screenSize - gameSize * scale) / 2 + (game + 0.5) * scale), 0,
                screenSize - 1));
        };
        const uint8_t* shown =
            &bytes[pixels + at(y, height, 480) * stride + at(x, width, 640) * pixelSize];
        return std::abs(shown[red] - colour.red) <= 2 && std::abs(shown[1] - colour.green) <= 2 &&
               std::abs(shown[blue] - colour.blue) <= 2;
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

using Cells = std::vector<std::pair<int, int>>;
using Grid = std::vector<bool>;  // row by row, 10 cells a row

// The cells moved to the top left corner, in order: the shape they make.
Cells FromTopLeft(Cells cells) {
    int left = 10, top = 23;
    for (const auto& [x, y] : cells) {
        left = std::min(left, x);
        top = std::min(top, y);
    }
    for (auto& [x, y] : cells) {
        x -= left;
        y -= top;
    }
    std::sort(cells.begin(), cells.end());
    return cells;
}

std::string Shape(const Cells& cells) {
    std::string shape;
    for (const auto& [x, y] : FromTopLeft(cells)) {
        shape.append(" ").append(std::to_string(x)).append(",").append(std::to_string(y));
    }
    return shape;
}

// What the well shows: every cell one of the tiles, or unreadable. While the
// first piece of a game falls it is all there is in the well: its leftmost
// column and top row, and its blocks.
struct Well {
    int unreadable = 0, column = -1, row = -1;
    Cells blocks;
};

Well ReadWell(const Screen& screen, const PictureFile& colours) {
    static const PictureFile tiles = ReadPictureFile("cubeshards2.bmp");
    Well well;
    for (int row = 0; row < 23; ++row) {
        for (int column = 0; column < 10; ++column) {
            int tile = 0;
            while (tile < 8 && ShareShown(screen, tiles, 2 + 23 * tile, 4, 20, 20,
                                          190 + 20 * column, 1 + 20 * row, colours) < 0.98) {
                ++tile;
            }
            well.unreadable += tile == 8 ? 1 : 0;
            if (tile > 0 && tile < 8) {
                well.row = well.row < 0 ? row : well.row;
                well.column = well.column < 0 ? column : std::min(well.column, column);
                well.blocks.emplace_back(column, row);
            }
        }
    }
    return well;
}

int Watch(double seconds, const char* shot, const PictureFile& colours) {
    using Clock = std::chrono::system_clock;
    const auto end = Clock::now() + std::chrono::duration<double>(seconds);
    std::string shown;
    std::vector<uint8_t> last;
    while (Clock::now() < end) {
        const auto taken = Clock::now();
        std::vector<uint8_t> bytes = FileBytes(shot);
        Screen screen;
        // The game draws the same picture pass after pass: only a new one is read.
        if (bytes != last && screen.Parse(bytes)) {
            const Well well = ReadWell(screen, colours);
            const std::string now = std::to_string(well.column) + " " + std::to_string(well.row) +
                                    " " + std::to_string(well.blocks.size()) + Shape(well.blocks);
            // A well caught half drawn is left out.
            if (well.unreadable == 0 && now != shown) {
                const auto ms =
                    std::chrono::duration_cast<std::chrono::milliseconds>(taken.time_since_epoch());
                std::printf("%lld %s\n", static_cast<long long>(ms.count()), now.c_str());
                std::fflush(stdout);
                shown = now;
            }
            last = std::move(bytes);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
    }
    return 0;
}

// The player that fills a row. Every block of the stack rests on the floor
// or on another block until a row goes, so the falling piece is the blocks
// not linked to the bottom row, side by side or one above the other.
Grid Stack(const Well& well, Cells& piece) {
    Grid blocks(230, false), stack(230, false);
    for (const auto& [x, y] : well.blocks) {
        blocks[y * 10 + x] = true;
    }
    const std::function<void(int, int)> reach = [&](int x, int y) {
        if (x >= 0 && x < 10 && y >= 0 && y < 23 && blocks[y * 10 + x] && !stack[y * 10 + x]) {
            stack[y * 10 + x] = true;
            reach(x - 1, y);
            reach(x + 1, y);
            reach(x, y - 1);
            reach(x, y + 1);
        }
    };
    for (int x = 0; x < 10; ++x) {
        reach(x, 22);
    }
    for (const auto& [x, y] : well.blocks) {
        if (!stack[y * 10 + x]) {
            piece.emplace_back(x, y);
        }
    }
    return stack;
}

// The cost of dropping the cells at the column onto the stack, rows filled
// first: then holes under the stack count thrice, the columns' heights, the
// steps between neighbours and the highest column once.
std::pair<int, int> Drop(const Cells& cells, int column, Grid filled) {
    const auto fits = [&](int down) {
        return std::all_of(cells.begin(), cells.end(), [&](const std::pair<int, int>& cell) {
            const int x = column + cell.first, y = down + cell.second;
            return x >= 0 && x < 10 && y < 23 && !filled[y * 10 + x];
        });
    };
    int down = 0;
    while (fits(down + 1)) {
        ++down;
    }
    for (const auto& [x, y] : cells) {
        filled[(down + y) * 10 + column + x] = true;
    }
    int full = 0, cost = 0, highest = 0, last = -1;
    for (int y = 0; y < 23; ++y) {
        const auto row = filled.begin() + y * 10;
        full += std::all_of(row, row + 10, [](bool f) { return f; }) ? 1 : 0;
    }
    for (int x = 0; x < 10; ++x) {
        int height = 0;
        for (int y = 22; y >= 0; --y) {
            if (filled[y * 10 + x]) {
                cost += 3 * (23 - y - 1 - height);
                height = 23 - y;
            }
        }
        cost += height + (last < 0 ? 0 : std::abs(height - last));
        highest = std::max(highest, height);
        last = height;
    }
    return {-full, cost + highest};
}

int Place(const Screen& screen, const PictureFile& colours) {
    const Well well = ReadWell(screen, colours);
    Cells piece;
    const Grid stack = Stack(well, piece);
    const char* key = "none";
    int column = -1;
    if (piece.size() == 4) {
        column = std::min_element(piece.begin(), piece.end())->first;
        // Ties go to the fewest turns, then the leftmost column, so that the
        // plan stays the same as the piece goes there.
        std::tuple<int, int, int, int> best{1, 0, 0, 0};
        Cells turned = FromTopLeft(piece);
        for (int turns = 0; turns < 4; ++turns) {
            const int width = std::max_element(turned.begin(), turned.end())->first + 1;
            for (int at = 0; at + width <= 10; ++at) {
                const auto [full, cost] = Drop(turned, at, stack);
                best = std::min(best, std::make_tuple(full, cost, turns, at));
            }
            // A quarter turn clockwise on the screen, as Space turns.
            for (auto& [x, y] : turned) {
                x = -std::exchange(y, x);
            }
            turned = FromTopLeft(turned);
        }
        const int turns = std::get<2>(best), target = std::get<3>(best);
        key = turns > 0 ? "space" : column > target ? "Left" : column < target ? "Right" : "Down";
    }
    std::printf("%s %zu %d%s\n", key, well.blocks.size(), column, Shape(piece).c_str());
    return well.unreadable == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string check = argc > 1 ? argv[1] : "";
    const PictureFile play = ReadPictureFile("menu1.bmp");
    if (check == "watch" && argc == 4) {
        return Watch(std::atof(argv[2]), argv[3], play);
    }
    Screen screen;
    if (argc != 3 || !screen.Parse(FileBytes(argv[2]))) {
        std::fprintf(stderr,
                     "usage: screen_probe title|play|end|place SHOT | watch SECONDS SHOT\n");
        return 2;
    }
    if (check == "place") {
        return Place(screen, play);
    }
    if (check == "play") {
        const bool background = WholePictureShows(screen, "menu1.bmp", play, InPlayArea);
        const Well well = ReadWell(screen, play);
        std::printf("well: %d cells unreadable\npiece %d %d\nshape%s\n", well.unreadable,
                    well.column, well.row, Shape(well.blocks).c_str());
        return well.unreadable == 0 && background ? 0 : 1;
    }
    if (check != "title" && check != "end") {
        return 2;
    }
    const bool title = check == "title";
    return WholePictureShows(screen, title ? "start.bmp" : "end.bmp",
                             title ? ReadPictureFile("start.bmp") : play)
               ? 0
               : 1;
}
