// Read-only files through the system's file handles.
#include "platform/win32/win32_native.h"

#include "platform/driver/driver.h"
#include "platform/system/system_file.h"

namespace platform::driver {

Result OpenFile(const char* fileName, Native* file) {
    HANDLE opened = CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    // A device name such as CON or NUL opens too; only files on a disk are
    // data. Why a file is refused is told in the words of every system.
    if (opened == INVALID_HANDLE_VALUE || GetFileType(opened) != FILE_TYPE_DISK) {
        if (opened != INVALID_HANDLE_VALUE) {
            CloseHandle(opened);
        }
        detail::SystemFile refused;
        refused.Open(fileName);
        return detail::Refuse(kErrGeneric, refused.Problem() != nullptr
                                               ? refused.Problem()
                                               : "the system cannot open it");
    }
    *file = opened;
    return kOk;
}

bool ReadFile(Native file, void* buffer, uint32_t count, uint32_t* bytesRead) {
    DWORD arrived = 0;
    const BOOL read = ::ReadFile(static_cast<HANDLE>(file), buffer, count, &arrived, nullptr);
    *bytesRead = arrived;
    return read != FALSE;
}

bool CloseFile(Native file) {
    return CloseHandle(static_cast<HANDLE>(file)) != FALSE;
}

}  // namespace platform::driver
