// Files through POSIX descriptors.
#include "platform/system/system_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform::detail {

SystemFile::~SystemFile() {
    if (IsOpen()) {
        ::close(static_cast<int>(handle_));
    }
}

bool SystemFile::Open(const char* fileName) {
    // Non-blocking so that a named pipe cannot stall the open; it is refused
    // below like every other file that is not a regular one.
    const int descriptor = ::open(fileName, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        errorText_ = std::strerror(errno);
        return false;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        errorText_ = std::strerror(S_ISDIR(status.st_mode) ? EISDIR : EINVAL);
        return false;
    }
    handle_ = descriptor;
    length_ = static_cast<uint64_t>(status.st_size);
    return true;
}

int64_t SystemFile::Read(void* destination, size_t count) {
    for (;;) {
        const ssize_t got = ::read(static_cast<int>(handle_), destination, count);
        if (got >= 0) {
            return got;
        }
        if (errno != EINTR) {
            errorText_ = std::strerror(errno);
            return -1;
        }
    }
}

int64_t SystemFile::ReadAt(uint64_t position, void* destination, size_t count) {
    for (;;) {
        const ssize_t got =
            ::pread(static_cast<int>(handle_), destination, count, static_cast<off_t>(position));
        if (got >= 0) {
            return got;
        }
        if (errno != EINTR) {
            errorText_ = std::strerror(errno);
            return -1;
        }
    }
}

}  // namespace platform::detail
