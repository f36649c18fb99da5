// A read-only regular file as the operating system hands it over: the one
// piece of the shared code that differs between POSIX systems and Windows
// (system/posix, system/windows; the build takes one of them).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform::detail {

class SystemFile {
public:
    SystemFile() = default;
    ~SystemFile();
    SystemFile(const SystemFile&) = delete;
    SystemFile& operator=(const SystemFile&) = delete;

    // Opens an existing regular file for reading, as bytes (no line-ending
    // translation). Directories, devices and pipes are refused, and a named
    // pipe cannot stall the opening. On failure returns false and keeps a
    // text for people in ErrorText().
    bool Open(const char* fileName);
    bool IsOpen() const { return handle_ != kClosed; }

    // The file's length when it was opened.
    uint64_t Length() const { return length_; }

    // One read from the current position, or from position for ReadAt (which
    // leaves the current position alone). Returns how many bytes arrived,
    // which may be fewer than asked, 0 at the end of the file, or -1 on an
    // error (ErrorText() says which).
    int64_t Read(void* destination, size_t count);
    int64_t ReadAt(uint64_t position, void* destination, size_t count);

    const std::string& ErrorText() const { return errorText_; }

private:
    static constexpr intptr_t kClosed = -1;

    intptr_t handle_ = kClosed;  // a descriptor, or a Windows HANDLE
    uint64_t length_ = 0;
    std::string errorText_;
};

}  // namespace platform::detail
