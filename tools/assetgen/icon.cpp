#include "tools/assetgen/icon.h"

#include <cstdio>

#include "tools/assetgen/byte_writer.h"
#include "tools/assetgen/palette.h"

namespace assetgen {
namespace {

enum IconColour : uint8_t { kBlack, kFloor, kGrid, kGlint, kFirstBlock };
constexpr int kShadesPerIconBlock = 4;  // outline, dark, face, light
constexpr int kBlockCell = 16;

uint32_t Packed(Rgb colour) {
    return (static_cast<uint32_t>(colour.r) << 16) | (static_cast<uint32_t>(colour.g) << 8) |
           colour.b;
}

void Put(Icon& icon, int x, int y, uint8_t index) {
    icon.pixels[static_cast<size_t>(y * kIconSize + x)] = index;
}

// One bevelled block in a 16 x 16 cell, using the four shades from first.
void DrawIconBlock(Icon& icon, int left, int top, uint8_t first) {
    const auto outline = first;
    const auto dark = static_cast<uint8_t>(first + 1);
    const auto face = static_cast<uint8_t>(first + 2);
    const auto light = static_cast<uint8_t>(first + 3);
    for (int y = 0; y < kBlockCell; ++y) {
        for (int x = 0; x < kBlockCell; ++x) {
            uint8_t shade = face;
            if (x == 0 || y == 0 || x == kBlockCell - 1 || y == kBlockCell - 1) {
                shade = outline;
            } else if (x <= 2 && y <= kBlockCell - 2 - x) {
                shade = light;
            } else if (y <= 2 && x <= kBlockCell - 2 - y) {
                shade = light;
            } else if (x >= kBlockCell - 3 || y >= kBlockCell - 3) {
                shade = dark;
            }
            Put(icon, left + x, top + y, shade);
        }
    }
    Put(icon, left + 4, top + 4, kGlint);
    Put(icon, left + 5, top + 4, kGlint);
    Put(icon, left + 4, top + 5, kGlint);
}

}  // namespace

Icon DrawIcon() {
    const Palette game = GamePalette();
    Icon icon;
    icon.colours[kBlack] = 0x000000;
    icon.colours[kFloor] = Packed(game[colour::kWellFloor]);
    icon.colours[kGrid] = Packed(game[colour::kWellGridDot]);
    icon.colours[kGlint] = 0xFFFFFF;
    // Red, yellow and cyan blocks: far apart in lightness as well as in hue.
    const int kinds[3] = {1, 2, 4};
    for (int block = 0; block < 3; ++block) {
        using colour::Shade;
        const Shade shades[kShadesPerIconBlock] = {Shade::Outline, Shade::Dark, Shade::Base,
                                                   Shade::Light};
        for (int s = 0; s < kShadesPerIconBlock; ++s) {
            icon.colours[static_cast<size_t>(kFirstBlock + block * kShadesPerIconBlock + s)] =
                Packed(game[colour::Block(kinds[block], shades[s])]);
        }
    }

    // The empty top-right cell: the well floor with a faint grid.
    for (int y = 0; y < kBlockCell; ++y) {
        for (int x = kBlockCell; x < kIconSize; ++x) {
            const bool line = (x % 8 == 7) || (y % 8 == 7);
            Put(icon, x, y, line ? kGrid : kFloor);
        }
    }
    DrawIconBlock(icon, 0, 0, static_cast<uint8_t>(kFirstBlock + 2 * kShadesPerIconBlock));
    DrawIconBlock(icon, 0, kBlockCell, kFirstBlock);
    DrawIconBlock(icon, kBlockCell, kBlockCell,
                  static_cast<uint8_t>(kFirstBlock + kShadesPerIconBlock));
    return icon;
}

std::vector<uint8_t> EncodeIco(const Icon& icon) {
    constexpr uint32_t kHeaderSize = 40;
    constexpr uint32_t kPaletteSize = kIconColours * 4;
    constexpr uint32_t kColourBitsSize = kIconSize * kIconSize / 2;
    constexpr uint32_t kMaskRowBytes = 4;  // 32 bits, already a multiple of four bytes
    constexpr uint32_t kMaskSize = kMaskRowBytes * kIconSize;
    constexpr uint32_t kImageSize = kHeaderSize + kPaletteSize + kColourBitsSize + kMaskSize;
    constexpr uint32_t kImageOffset = 6 + 16;

    ByteWriter out;
    // Directory: one icon image.
    out.U16(0);
    out.U16(1);
    out.U16(1);
    out.U8(kIconSize);
    out.U8(kIconSize);
    out.U8(kIconColours);
    out.U8(0);
    out.U16(1);  // planes
    out.U16(4);  // bits per pixel
    out.U32(kImageSize);
    out.U32(kImageOffset);

    // The image: a bitmap header whose height counts the colour rows and the
    // mask rows together.
    out.U32(kHeaderSize);
    out.I32(kIconSize);
    out.I32(2 * kIconSize);
    out.U16(1);
    out.U16(4);
    out.U32(0);
    out.U32(kColourBitsSize + kMaskSize);
    out.U32(0);
    out.U32(0);
    out.U32(kIconColours);
    out.U32(0);
    for (uint32_t packed : icon.colours) {
        out.U8(static_cast<uint8_t>(packed & 0xFF));
        out.U8(static_cast<uint8_t>((packed >> 8) & 0xFF));
        out.U8(static_cast<uint8_t>((packed >> 16) & 0xFF));
        out.U8(0);
    }
    for (int y = kIconSize - 1; y >= 0; --y) {
        for (int x = 0; x < kIconSize; x += 2) {
            const uint8_t left = icon.pixels[static_cast<size_t>(y * kIconSize + x)];
            const uint8_t right = icon.pixels[static_cast<size_t>(y * kIconSize + x + 1)];
            out.U8(static_cast<uint8_t>((left << 4) | (right & 0x0F)));
        }
    }
    out.Zeros(kMaskSize);  // every pixel opaque
    return out.Data();
}

std::string IconSource(const Icon& icon) {
    std::string text =
        "// Written by assetgen: the program's icon, 32 x 32 pixels in 16 colours.\n"
        "#include \"app/program_icon.h\"\n"
        "\n"
        "namespace {\n"
        "\n"
        "constexpr uint8_t kPixels[32 * 32] = {\n";
    char buffer[16];
    for (int y = 0; y < kIconSize; ++y) {
        text += "   ";
        for (int x = 0; x < kIconSize; ++x) {
            std::snprintf(buffer, sizeof buffer, " %d,",
                          icon.pixels[static_cast<size_t>(y * kIconSize + x)]);
            text += buffer;
        }
        text += "\n";
    }
    text += "};\n\nconstexpr uint32_t kColours[16] = {\n";
    for (uint32_t packed : icon.colours) {
        std::snprintf(buffer, sizeof buffer, "    0x%06X,\n", packed);
        text += buffer;
    }
    text +=
        "};\n"
        "\n"
        "constexpr platform::IconImage kIcon{32, 32, kPixels, kColours, 16};\n"
        "\n"
        "}  // namespace\n"
        "\n"
        "const platform::IconImage& ProgramIcon() {\n"
        "    return kIcon;\n"
        "}\n";
    return text;
}

}  // namespace assetgen
