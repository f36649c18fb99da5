// Files through POSIX descriptors.
#include "platform/system/system_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform::detail {
namespace {

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

SystemFile::~SystemFile() {
    if (IsOpen()) {
        ::close(static_cast<int>(handle_));
    }
}

bool SystemFile::Open(const char* fileName) {
    // Non-blocking, so that a named pipe or a device cannot stall the open;
    // they are refused below like everything that is not a regular file.
    const int descriptor = ::open(fileName, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        problem_ = ProblemFor(errno);
        return false;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        problem_ = S_ISDIR(status.st_mode) ? ProblemFor(EISDIR) : "not a regular file";
        return false;
    }
    handle_ = descriptor;
    length_ = static_cast<uint64_t>(status.st_size);
    return true;
}

int64_t SystemFile::ReadAt(uint64_t position, void* destination, size_t count) {
    for (;;) {
        const ssize_t got =
            ::pread(static_cast<int>(handle_), destination, count, static_cast<off_t>(position));
        if (got >= 0 || errno != EINTR) {
            return got;
        }
    }
}

}  // namespace platform::detail
