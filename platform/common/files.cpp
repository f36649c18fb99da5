// Read-only files on a POSIX system.
#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/backend.h"
#include "platform/common/live_objects.h"

namespace platform {

struct FileObject {
    int descriptor = -1;
    std::string name;
};

namespace {

void ReportFileError(const std::string& what, const char* fileName, int error) {
    const std::string text =
        what + " " + (fileName != nullptr ? fileName : "(no name)") + ": " + std::strerror(error);
    backend::SetErrorText(text.c_str());
}

}  // namespace

FileHandle OpenFile(const char* fileName, uint32_t access, uint32_t /*shareMode*/,
                    uint32_t disposition, uint32_t /*attributes*/) {
    if (fileName == nullptr || access != GENERIC_READ || disposition != OPEN_EXISTING) {
        ReportFileError("cannot open", fileName, EINVAL);
        return kInvalidFile;
    }
    int descriptor = ::open(fileName, O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        ReportFileError("cannot open", fileName, errno);
        return kInvalidFile;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        // Directories, devices and pipes are not picture or sound files.
        ::close(descriptor);
        ReportFileError("cannot open", fileName, S_ISDIR(status.st_mode) ? EISDIR : EINVAL);
        return kInvalidFile;
    }
    detail::NoteMade(detail::LiveKind::File);
    return new FileObject{descriptor, fileName};
}

bool ReadFile(FileHandle file, void* buffer, uint32_t count, uint32_t* bytesRead) {
    if (bytesRead != nullptr) {
        *bytesRead = 0;
    }
    if (file == kInvalidFile || (buffer == nullptr && count > 0)) {
        return false;
    }
    auto* bytes = static_cast<uint8_t*>(buffer);
    uint32_t total = 0;
    // A regular file may still hand over less than asked; only the end of the
    // file stops the read short.
    while (total < count) {
        const ssize_t got = ::read(file->descriptor, bytes + total, count - total);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            ReportFileError("cannot read", file->name.c_str(), errno);
            if (bytesRead != nullptr) {
                *bytesRead = total;
            }
            return false;
        }
        if (got == 0) {
            break;
        }
        total += static_cast<uint32_t>(got);
    }
    if (bytesRead != nullptr) {
        *bytesRead = total;
    }
    return true;
}

bool CloseFile(FileHandle file) {
    if (file == kInvalidFile) {
        return false;
    }
    ::close(file->descriptor);
    delete file;
    detail::NoteGone(detail::LiveKind::File);
    return true;
}

}  // namespace platform
