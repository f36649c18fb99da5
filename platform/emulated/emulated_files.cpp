// Read-only files, read from the start to the end.
#include "platform/driver/driver.h"
#include "platform/emulated/emulated_file_source.h"

namespace platform::driver {
namespace {

struct OpenedFile {
    detail::FileSource* source = nullptr;
    uint64_t position = 0;
};

}  // namespace

Result OpenFile(const char* fileName, Native* file) {
    const char* problem = nullptr;
    detail::FileSource* source = detail::FileSource::Open(fileName, &problem);
    if (source == nullptr) {
        return detail::Refuse(kErrGeneric, problem);
    }
    *file = new OpenedFile{source, 0};
    return kOk;
}

bool ReadFile(Native file, void* buffer, uint32_t count, uint32_t* bytesRead) {
    auto* opened = static_cast<OpenedFile*>(file);
    const int64_t got = opened->source->ReadAt(opened->position, buffer, count);
    if (got < 0) {
        detail::SetErrorText("the file cannot be read");
        return false;
    }
    opened->position += static_cast<uint64_t>(got);
    *bytesRead = static_cast<uint32_t>(got);
    return true;
}

bool CloseFile(Native file) {
    auto* opened = static_cast<OpenedFile*>(file);
    delete opened->source;
    delete opened;
    return true;
}

}  // namespace platform::driver
