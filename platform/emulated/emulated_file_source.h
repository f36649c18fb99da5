// Where the bytes of a data file come from: a regular file on disk or, for the
// fuzzers, a block of memory served under a file name. Both readers of the
// game's files, the sequential one and the RIFF one, read through here.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/system/system_file.h"

namespace platform::detail {

class FileSource {
public:
    // Opens an existing regular file for reading. Returns null when it cannot,
    // with the reason in a few words ("no such file") in *problem.
    static FileSource* Open(const char* fileName, const char** problem);
    ~FileSource();
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    // The length the file had when it was opened.
    uint64_t Length() const { return length_; }

    // Copies up to count bytes from position on. Returns how many arrived
    // (fewer only at the end of the file), or -1 on an I/O error.
    int64_t ReadAt(uint64_t position, void* destination, size_t count);

private:
    FileSource(const uint8_t* memory, uint64_t length);

    SystemFile file_;        // closed for a block of memory
    const uint8_t* memory_;  // only without a file
    uint64_t length_;
};

// From now on a file of this name is the given block of memory, which must
// outlive every open of it; one name at a time. The fuzzers feed the readers
// this way, tens of thousands of inputs a second, without a disk in between.
void ServeFromMemory(const char* fileName, const uint8_t* data, size_t size);

// How many reads the sources have been asked for since the program started,
// so that a test can see how much of a file a reader went through.
uint64_t SourceReads();

}  // namespace platform::detail
