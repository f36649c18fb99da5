// Reading the samples of a wave file: the "fmt " chunk must say PCM, and the
// "data" chunk holds the samples.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <new>
#include <vector>

#include "audio/sound_clip.h"
#include "platform/result.h"
#include "platform/riff.h"
#include "program/data_files.h"

namespace {

using platform::ChunkInfo;
using platform::MakeFourCC;
using platform::RiffFile;

constexpr platform::FourCC kWaveForm = MakeFourCC('W', 'A', 'V', 'E');
constexpr platform::FourCC kFormatChunk = MakeFourCC('f', 'm', 't', ' ');
constexpr platform::FourCC kDataChunk = MakeFourCC('d', 'a', 't', 'a');

// The extended wave-format record; only its first field, the format tag, counts.
constexpr int32_t kFormatRecordBytes = 18;

// About fifty minutes of 8-bit mono at 22050 samples per second, far beyond
// any sound the game plays: a data chunk that claims more is a damaged file.
constexpr uint32_t kMaxSampleBytes = 64u << 20;

// Samples are read a piece at a time, so that a chunk claiming more than the
// file holds costs no more memory than the file itself.
constexpr int32_t kReadPieceBytes = 64 << 10;

bool FormatIsPcm(RiffFile file) {
    uint8_t record[kFormatRecordBytes];
    if (platform::RiffRead(file, record, kFormatRecordBytes) != kFormatRecordBytes) {
        return false;
    }
    const auto tag = static_cast<uint16_t>(record[0] | record[1] << 8);
    return tag == platform::WAVE_FORMAT_PCM;
}

// Returns a new block of exactly count bytes, or null when the file ends
// first.
uint8_t* ReadSamples(RiffFile file, int32_t count) {
    std::vector<uint8_t> samples;
    while (std::ssize(samples) < count) {
        const int32_t have = static_cast<int32_t>(samples.size());
        const int32_t piece = std::min(kReadPieceBytes, count - have);
        samples.resize(static_cast<size_t>(have + piece));
        if (platform::RiffRead(file, samples.data() + have, piece) != piece) {
            return nullptr;
        }
    }
    auto* block = new (std::nothrow) uint8_t[static_cast<size_t>(count)];
    if (block != nullptr) {
        std::memcpy(block, samples.data(), samples.size());
    }
    return block;
}

// Returns the size of the samples, or 0 with the reason the file cannot be used.
int32_t ReadSampleData(RiffFile file, uint8_t** data, const char** problem) {
    ChunkInfo wave{};
    wave.formType = kWaveForm;
    if (platform::RiffDescend(file, &wave, nullptr, platform::RIFF_FINDRIFF) != platform::RIFF_OK) {
        *problem = "not a wave file";
        return 0;
    }
    ChunkInfo format{};
    format.id = kFormatChunk;
    if (platform::RiffDescend(file, &format, &wave, platform::RIFF_FINDCHUNK) !=
        platform::RIFF_OK) {
        *problem = "the wave file has no format chunk";
        return 0;
    }
    if (!FormatIsPcm(file) || platform::RiffAscend(file, &format, 0) != platform::RIFF_OK) {
        *problem = "the samples are not plain PCM";
        return 0;
    }
    ChunkInfo samples{};
    samples.id = kDataChunk;
    if (platform::RiffDescend(file, &samples, &wave, platform::RIFF_FINDCHUNK) !=
            platform::RIFF_OK ||
        samples.size == 0) {
        *problem = "the wave file holds no samples";
        return 0;
    }
    if (samples.size > kMaxSampleBytes) {
        *problem = "it claims more than 64 MiB of samples";
        return 0;
    }
    const auto size = static_cast<int32_t>(samples.size);
    uint8_t* block = ReadSamples(file, size);
    if (block == nullptr) {
        *problem = "the samples end before the size the file gives, or cannot be read";
        return 0;
    }
    *data = block;
    return size;
}

}  // namespace

int32_t ReadWaveFile(const char* fileName, uint8_t** data) {
    if (data == nullptr) {
        return 0;
    }
    *data = nullptr;
    if (fileName == nullptr || !DataFilesWanted()) {
        return 0;
    }
    RiffFile file = platform::RiffOpen(fileName, platform::RIFF_READ | platform::RIFF_ALLOCBUF);
    if (file == nullptr) {
        ReportUnusableDataFile(fileName, platform::LastErrorText());
        return 0;
    }
    const char* problem = nullptr;
    const int32_t size = ReadSampleData(file, data, &problem);
    platform::RiffClose(file, 0);
    if (size == 0) {
        ReportUnusableDataFile(fileName, problem);
    }
    return size;
}
