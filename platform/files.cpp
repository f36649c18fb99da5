// Read-only files: the checks and the count of open files, on every driver.
#include "platform/files.h"

#include "platform/api/api_live_objects.h"
#include "platform/driver/driver.h"

namespace platform {

FileHandle OpenFile(const char* fileName, uint32_t access, uint32_t /*shareMode*/,
                    uint32_t disposition, uint32_t /*attributes*/) {
    if (fileName == nullptr || access != GENERIC_READ || disposition != OPEN_EXISTING) {
        detail::SetErrorText("only existing files can be opened, and only for reading");
        return kInvalidFile;
    }
    driver::Native file = nullptr;
    if (Failed(driver::OpenFile(fileName, &file))) {
        return kInvalidFile;
    }
    detail::NoteMade(detail::LiveKind::File);
    return static_cast<FileHandle>(file);
}

bool ReadFile(FileHandle file, void* buffer, uint32_t count, uint32_t* bytesRead) {
    if (bytesRead != nullptr) {
        *bytesRead = 0;
    }
    if (file == kInvalidFile || (buffer == nullptr && count > 0)) {
        return false;
    }
    if (count == 0) {
        return true;
    }
    uint32_t arrived = 0;
    const bool read = driver::ReadFile(file, buffer, count, &arrived);
    if (bytesRead != nullptr) {
        *bytesRead = arrived;
    }
    return read;
}

bool CloseFile(FileHandle file) {
    if (file == kInvalidFile || !driver::CloseFile(file)) {
        return false;
    }
    detail::NoteGone(detail::LiveKind::File);
    return true;
}

}  // namespace platform
