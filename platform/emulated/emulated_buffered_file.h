// A read-only file read through a buffer of its own, at any position. Used by
// the RIFF reader, which jumps from chunk header to chunk header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/emulated/emulated_file_source.h"

namespace platform::detail {

class BufferedFile {
public:
    // Opens an existing regular file. Returns null when it cannot, with the
    // reason in *problem.
    static BufferedFile* Open(const char* fileName, size_t bufferSize, const char** problem);
    ~BufferedFile();
    BufferedFile(const BufferedFile&) = delete;
    BufferedFile& operator=(const BufferedFile&) = delete;

    // The length the file had when it was opened.
    uint64_t Length() const { return source_->Length(); }

    // Copies up to count bytes from position on. Returns how many arrived
    // (fewer only at the end of the file), or -1 on an I/O error.
    int64_t ReadAt(uint64_t position, void* destination, size_t count);

private:
    explicit BufferedFile(FileSource* source);
    bool Refill(uint64_t position);

    FileSource* source_;
    std::vector<uint8_t> buffer_;
    uint64_t bufferStart_ = 0;
    size_t bufferFill_ = 0;
};

}  // namespace platform::detail
