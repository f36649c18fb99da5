// RIFF WAVE files as the game reads them: a 16-byte PCM format chunk for
// mono 8-bit samples at 22050 a second, then the data chunk.
#pragma once

#include <cstdint>
#include <vector>

namespace assetgen {

std::vector<uint8_t> EncodeWave(const std::vector<uint8_t>& samples);

}  // namespace assetgen
