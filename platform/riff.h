// A buffered reader of RIFF files: find the RIFF form, find chunks inside it,
// read their data and step back out.
#pragma once

#include <cstdint>

namespace platform {

using FourCC = uint32_t;

constexpr FourCC MakeFourCC(char a, char b, char c, char d) {
    return static_cast<uint32_t>(static_cast<uint8_t>(a)) |
           (static_cast<uint32_t>(static_cast<uint8_t>(b)) << 8) |
           (static_cast<uint32_t>(static_cast<uint8_t>(c)) << 16) |
           (static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24);
}

// Results of the RIFF calls: 0 is success, anything else a failure.
using RiffResult = uint32_t;
inline constexpr RiffResult RIFF_OK = 0;
inline constexpr RiffResult RIFFERR_CANNOTREAD = 261;
inline constexpr RiffResult RIFFERR_CANNOTSEEK = 263;
inline constexpr RiffResult RIFFERR_CHUNKNOTFOUND = 265;
inline constexpr RiffResult RIFFERR_INVALIDPARAM = 11;

inline constexpr uint32_t RIFF_READ = 0x00000000u;
inline constexpr uint32_t RIFF_ALLOCBUF = 0x00010000u;
inline constexpr uint32_t RIFF_FINDCHUNK = 0x0010u;
inline constexpr uint32_t RIFF_FINDRIFF = 0x0020u;
inline constexpr uint32_t RIFF_FINDLIST = 0x0040u;

struct ChunkInfo {
    FourCC id = 0;            // chunk identifier, "RIFF" for a form
    uint32_t size = 0;        // size of the chunk's data (for a form: form type included)
    FourCC formType = 0;      // form type of a RIFF or LIST chunk ("WAVE")
    uint32_t dataOffset = 0;  // file offset of the chunk's data (for a form: of its form type)
    uint32_t flags = 0;
};

// The largest file RiffOpen takes. The game's sounds are a few hundred
// kilobytes and a minute of its 8-bit mono is 1.3 MiB; a file past this is
// refused at once, like any damaged one, instead of being searched through.
inline constexpr uint64_t kLargestRiffFile = 64u << 20;
static_assert(kLargestRiffFile == 64u << 20, "kRiffFileTooLarge gives the size");
inline constexpr const char* kRiffFileTooLarge =
    "larger than 64 MiB, far more than any sound of the game";

// The most chunks one search steps over before it gives up. A real file has
// a handful; a zero-filled one would otherwise be walked eight bytes a step,
// so this keeps the cost of a search to the chunks a real file has.
inline constexpr uint32_t kMostChunksPerSearch = 1024;

struct RiffFileObject;
using RiffFile = RiffFileObject*;

// Opens an existing file for reading through an internal buffer
// (RIFF_READ | RIFF_ALLOCBUF). Returns null when the file cannot be opened or
// is larger than kLargestRiffFile; LastErrorText() then says why.
RiffFile RiffOpen(const char* fileName, uint32_t flags);

// Descends into a chunk, starting at the current position.
// RIFF_FINDRIFF: the next "RIFF" chunk whose form type is chunk->formType.
// RIFF_FINDCHUNK: the next chunk whose identifier is chunk->id.
// No flag: whatever chunk starts at the current position.
// With a parent, the search never leaves the parent's data. A search that
// passes kMostChunksPerSearch chunks ends with RIFFERR_CHUNKNOTFOUND. On
// success the chunk's fields are filled in and the position is at the start
// of its data (for a form, past its form type).
RiffResult RiffDescend(RiffFile file, ChunkInfo* chunk, const ChunkInfo* parent, uint32_t flags);

// Reads up to count bytes from the current position. Returns the number of
// bytes read (0 at the end of the file) or -1 on error. Reads are not bounded
// by the current chunk.
int32_t RiffRead(RiffFile file, void* buffer, int32_t count);

// Moves the position to the end of the chunk, past its pad byte when the
// chunk's size is odd.
RiffResult RiffAscend(RiffFile file, const ChunkInfo* chunk, uint32_t flags);

// Closes the file and frees its buffer.
RiffResult RiffClose(RiffFile file, uint32_t flags);

}  // namespace platform
