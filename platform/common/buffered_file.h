// A read-only file read through a buffer of its own, at any position. Used by
// the RIFF reader, which jumps from chunk header to chunk header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/system/system_file.h"

namespace platform::detail {

class BufferedFile {
public:
    // Opens an existing regular file. Returns null when it cannot.
    static BufferedFile* Open(const char* fileName, size_t bufferSize);
    ~BufferedFile() = default;
    BufferedFile(const BufferedFile&) = delete;
    BufferedFile& operator=(const BufferedFile&) = delete;

    // The length the file had when it was opened, at most 4 GiB - 1: RIFF
    // offsets are 32-bit, so anything beyond is out of reach anyway.
    uint64_t Length() const { return length_; }

    // Copies up to count bytes from position on. Returns how many arrived
    // (fewer only at the end of the file), or -1 on an I/O error.
    int64_t ReadAt(uint64_t position, void* destination, size_t count);

private:
    BufferedFile() = default;
    int64_t ReadFromDisk(uint64_t position, uint8_t* destination, size_t count);
    bool Refill(uint64_t position);

    SystemFile file_;
    uint64_t length_ = 0;
    std::vector<uint8_t> buffer_;
    uint64_t bufferStart_ = 0;
    size_t bufferFill_ = 0;
};

}  // namespace platform::detail
