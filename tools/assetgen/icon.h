// The program's icon: a small stack of three blocks beside an empty cell,
// 32 x 32 pixels in 16 colours. It is written twice: as a standard .ico file
// and as C++ source that the program links, so the program carries it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

inline constexpr int kIconSize = 32;
inline constexpr int kIconColours = 16;

struct Icon {
    // Rows top-down, one colour index per pixel.
    std::array<uint8_t, kIconSize * kIconSize> pixels{};
    // 0xRRGGBB.
    std::array<uint32_t, kIconColours> colours{};
};

Icon DrawIcon();

// One 32 x 32 image of 4 bits per pixel with an all-opaque mask.
std::vector<uint8_t> EncodeIco(const Icon& icon);

// Source defining ProgramIcon() (declared in app/program_icon.h).
std::string IconSource(const Icon& icon);

}  // namespace assetgen
