// Read-only files, on the operating system's own files (platform/system).
#include "platform/files.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/backend.h"
#include "platform/common/live_objects.h"
#include "platform/system/system_file.h"

namespace platform {

struct FileObject {
    detail::SystemFile file;
    std::string name;
};

namespace {

void ReportFileError(const std::string& what, const char* fileName, const std::string& why) {
    const std::string text =
        what + " " + (fileName != nullptr ? fileName : "(no name)") + ": " + why;
    backend::SetErrorText(text.c_str());
}

}  // namespace

FileHandle OpenFile(const char* fileName, uint32_t access, uint32_t /*shareMode*/,
                    uint32_t disposition, uint32_t /*attributes*/) {
    if (fileName == nullptr || access != GENERIC_READ || disposition != OPEN_EXISTING) {
        ReportFileError("cannot open", fileName, std::strerror(EINVAL));
        return kInvalidFile;
    }
    auto* opened = new FileObject{{}, fileName};
    if (!opened->file.Open(fileName)) {
        ReportFileError("cannot open", fileName, opened->file.ErrorText());
        delete opened;
        return kInvalidFile;
    }
    detail::NoteMade(detail::LiveKind::File);
    return opened;
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
        const int64_t got = file->file.Read(bytes + total, count - total);
        if (got < 0) {
            ReportFileError("cannot read", file->name.c_str(), file->file.ErrorText());
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
    delete file;
    detail::NoteGone(detail::LiveKind::File);
    return true;
}

}  // namespace platform
