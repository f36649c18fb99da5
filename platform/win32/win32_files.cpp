// Read-only files through the system's file handles.
#include "platform/win32/win32_native.h"

#include "platform/api/api_live_objects.h"
#include "platform/files.h"
#include "platform/hosts/host.h"
#include "platform/system/system_file.h"

namespace platform {
namespace {

HANDLE Native(FileHandle file) {
    return reinterpret_cast<HANDLE>(file);
}

}  // namespace

FileHandle OpenFile(const char* fileName, uint32_t access, uint32_t shareMode, uint32_t disposition,
                    uint32_t attributes) {
    if (fileName == nullptr || access != GENERIC_READ || disposition != OPEN_EXISTING) {
        return kInvalidFile;
    }
    HANDLE file =
        CreateFileA(fileName, access, shareMode, nullptr, disposition, attributes, nullptr);
    // A device name such as CON or NUL opens too; only files on a disk are
    // data. Why a file is refused is told in the words of every system.
    if (file == INVALID_HANDLE_VALUE || GetFileType(file) != FILE_TYPE_DISK) {
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
        }
        detail::SystemFile refused;
        refused.Open(fileName);
        detail::SetErrorText(refused.Problem() != nullptr ? refused.Problem()
                                                          : "the system cannot open it");
        return kInvalidFile;
    }
    detail::NoteMade(detail::LiveKind::File);
    return reinterpret_cast<FileHandle>(file);
}

bool ReadFile(FileHandle file, void* buffer, uint32_t count, uint32_t* bytesRead) {
    if (file == kInvalidFile) {
        return false;
    }
    DWORD arrived = 0;
    const BOOL read = ::ReadFile(Native(file), buffer, count, &arrived, nullptr);
    if (bytesRead != nullptr) {
        *bytesRead = arrived;
    }
    return read != FALSE;
}

bool CloseFile(FileHandle file) {
    if (file == kInvalidFile || CloseHandle(Native(file)) == FALSE) {
        return false;
    }
    detail::NoteGone(detail::LiveKind::File);
    return true;
}

}  // namespace platform
