// Data files on a POSIX system, or in memory.
#include "platform/common/file_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <string>

namespace platform::detail {
namespace {

struct MemoryFile {
    std::string name;
    const uint8_t* data = nullptr;
    size_t size = 0;
};

MemoryFile& Served() {
    static MemoryFile file;
    return file;
}

uint64_t& ReadCount() {
    static uint64_t count = 0;
    return count;
}

// In the words of a player who looks at the folder, not of the system call.
const char* ProblemFor(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return "no such file";
        case EACCES:
        case EPERM:
            return "no permission to read it";
        case EISDIR:
            return "it is a folder, not a file";
        case ENOMEM:
            return "out of memory";
        default:
            return std::strerror(error);
    }
}

}  // namespace

FileSource* FileSource::Open(const char* fileName, const char** problem) {
    static const char* unused = nullptr;
    const char*& why = problem != nullptr ? *problem : unused;
    if (fileName == nullptr) {
        why = "no file name";
        return nullptr;
    }
    const MemoryFile& served = Served();
    if (served.data != nullptr && served.name == fileName) {
        auto* source = new (std::nothrow) FileSource(-1, served.data, served.size);
        why = source == nullptr ? ProblemFor(ENOMEM) : nullptr;
        return source;
    }
    // Non-blocking, so that a named pipe or a device cannot stall the open;
    // they are refused below like everything that is not a regular file.
    const int descriptor = ::open(fileName, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        why = ProblemFor(errno);
        return nullptr;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        why = S_ISDIR(status.st_mode) ? ProblemFor(EISDIR) : "not a regular file";
        return nullptr;
    }
    auto* source =
        new (std::nothrow) FileSource(descriptor, nullptr, static_cast<uint64_t>(status.st_size));
    if (source == nullptr) {
        ::close(descriptor);
        why = ProblemFor(ENOMEM);
        return nullptr;
    }
    why = nullptr;
    return source;
}

FileSource::FileSource(int descriptor, const uint8_t* memory, uint64_t length)
    : descriptor_(descriptor), memory_(memory), length_(length) {}

FileSource::~FileSource() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

int64_t FileSource::ReadAt(uint64_t position, void* destination, size_t count) {
    ++ReadCount();
    auto* out = static_cast<uint8_t*>(destination);
    if (descriptor_ < 0) {
        if (position >= length_) {
            return 0;
        }
        const size_t take = static_cast<size_t>(std::min<uint64_t>(count, length_ - position));
        std::memcpy(out, memory_ + position, take);
        return static_cast<int64_t>(take);
    }
    size_t done = 0;
    while (done < count) {
        const ssize_t got =
            ::pread(descriptor_, out + done, count - done, static_cast<off_t>(position + done));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return -1;
        }
        if (got == 0) {
            break;
        }
        done += static_cast<size_t>(got);
    }
    return static_cast<int64_t>(done);
}

void ServeFromMemory(const char* fileName, const uint8_t* data, size_t size) {
    MemoryFile& served = Served();
    served.name = fileName != nullptr ? fileName : "";
    // An empty input still is a file, of no bytes.
    static const uint8_t kNothing = 0;
    served.data = data != nullptr ? data : &kNothing;
    served.size = data != nullptr ? size : 0;
}

uint64_t SourceReads() {
    return ReadCount();
}

}  // namespace platform::detail
