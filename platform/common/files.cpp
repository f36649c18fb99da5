// Read-only files, read from the start to the end.
#include "platform/files.h"

#include "platform/backend.h"
#include "platform/common/file_source.h"
#include "platform/common/live_objects.h"

namespace platform {

struct FileObject {
    detail::FileSource* source = nullptr;
    uint64_t position = 0;
};

FileHandle OpenFile(const char* fileName, uint32_t access, uint32_t /*shareMode*/,
                    uint32_t disposition, uint32_t /*attributes*/) {
    if (fileName == nullptr || access != GENERIC_READ || disposition != OPEN_EXISTING) {
        backend::SetErrorText("only existing files can be opened, and only for reading");
        return kInvalidFile;
    }
    const char* problem = nullptr;
    detail::FileSource* source = detail::FileSource::Open(fileName, &problem);
    if (source == nullptr) {
        backend::SetErrorText(problem);
        return kInvalidFile;
    }
    detail::NoteMade(detail::LiveKind::File);
    return new FileObject{source, 0};
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
    const int64_t got = file->source->ReadAt(file->position, buffer, count);
    if (got < 0) {
        backend::SetErrorText("the file cannot be read");
        return false;
    }
    file->position += static_cast<uint64_t>(got);
    if (bytesRead != nullptr) {
        *bytesRead = static_cast<uint32_t>(got);
    }
    return true;
}

bool CloseFile(FileHandle file) {
    if (file == kInvalidFile) {
        return false;
    }
    delete file->source;
    delete file;
    detail::NoteGone(detail::LiveKind::File);
    return true;
}

}  // namespace platform
