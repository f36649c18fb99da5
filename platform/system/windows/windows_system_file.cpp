// Files through Win32 handles: CreateFile reads bytes as they are, with no
// text-mode translation of line endings.
#include "platform/system/system_file.h"

#include <windows.h>

#include <algorithm>

namespace platform::detail {
namespace {

HANDLE AsHandle(intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// ReadFile takes at most a DWORD at a time.
DWORD ReadableCount(size_t count) {
    return static_cast<DWORD>(std::min<size_t>(count, 0x7FFFFFFFu));
}

bool IsFolder(const char* fileName) {
    const DWORD attributes = GetFileAttributesA(fileName);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// In the words of a player who looks at the folder, as on the other systems.
const char* ProblemFor(DWORD error, const char* fileName) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
            return "no such file";
        case ERROR_ACCESS_DENIED:
            // A folder does not open without FILE_FLAG_BACKUP_SEMANTICS.
            return IsFolder(fileName) ? "it is a folder, not a file" : "no permission to read it";
        case ERROR_SHARING_VIOLATION:
            return "another program holds it";
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return "out of memory";
        default:
            return "the system cannot open it";
    }
}

}  // namespace

SystemFile::~SystemFile() {
    if (IsOpen()) {
        CloseHandle(AsHandle(handle_));
    }
}

bool SystemFile::Open(const char* fileName) {
    HANDLE file = CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        problem_ = ProblemFor(GetLastError(), fileName);
        return false;
    }
    LARGE_INTEGER size{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) {
        CloseHandle(file);
        problem_ = "not a regular file";
        return false;
    }
    handle_ = reinterpret_cast<intptr_t>(file);
    length_ = static_cast<uint64_t>(size.QuadPart);
    return true;
}

int64_t SystemFile::ReadAt(uint64_t position, void* destination, size_t count) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(position & 0xFFFFFFFFu);
    at.OffsetHigh = static_cast<DWORD>(position >> 32);
    DWORD got = 0;
    if (!ReadFile(AsHandle(handle_), destination, ReadableCount(count), &got, &at)) {
        // Reading from beyond the end is the end of the file, not a fault.
        return GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
    }
    return got;
}

}  // namespace platform::detail
