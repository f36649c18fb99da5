// Files through Win32 handles: CreateFile reads bytes as they are, with no
// text-mode translation of line endings.
#include "platform/system/system_file.h"

#include <windows.h>

#include <algorithm>

namespace platform::detail {
namespace {

// The system's own wording of an error, without its trailing line break.
std::string DescribeError(DWORD error) {
    char text[256] = {};
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                       MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, sizeof(text), nullptr);
    std::string described(text, length);
    while (!described.empty() && (described.back() == '\n' || described.back() == '\r' ||
                                  described.back() == ' ' || described.back() == '.')) {
        described.pop_back();
    }
    return described.empty() ? "error " + std::to_string(error) : described;
}

HANDLE AsHandle(intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// ReadFile takes at most a DWORD at a time.
DWORD ReadableCount(size_t count) {
    return static_cast<DWORD>(std::min<size_t>(count, 0x7FFFFFFFu));
}

}  // namespace

SystemFile::~SystemFile() {
    if (IsOpen()) {
        CloseHandle(AsHandle(handle_));
    }
}

bool SystemFile::Open(const char* fileName) {
    // Without FILE_FLAG_BACKUP_SEMANTICS a folder does not open at all.
    HANDLE file = CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        errorText_ = DescribeError(GetLastError());
        return false;
    }
    LARGE_INTEGER size{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) {
        CloseHandle(file);
        errorText_ = DescribeError(ERROR_INVALID_PARAMETER);
        return false;
    }
    handle_ = reinterpret_cast<intptr_t>(file);
    length_ = static_cast<uint64_t>(size.QuadPart);
    return true;
}

int64_t SystemFile::Read(void* destination, size_t count) {
    DWORD got = 0;
    if (!ReadFile(AsHandle(handle_), destination, ReadableCount(count), &got, nullptr)) {
        errorText_ = DescribeError(GetLastError());
        return -1;
    }
    return got;
}

int64_t SystemFile::ReadAt(uint64_t position, void* destination, size_t count) {
    // A synchronous handle reads at the offset given and moves its position;
    // the position is put back so that Read goes on where it was.
    LARGE_INTEGER current{};
    const LARGE_INTEGER zero{};
    if (!SetFilePointerEx(AsHandle(handle_), zero, &current, FILE_CURRENT)) {
        errorText_ = DescribeError(GetLastError());
        return -1;
    }
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(position & 0xFFFFFFFFu);
    at.OffsetHigh = static_cast<DWORD>(position >> 32);
    DWORD got = 0;
    const bool read = ReadFile(AsHandle(handle_), destination, ReadableCount(count), &got, &at);
    const DWORD error = GetLastError();
    SetFilePointerEx(AsHandle(handle_), current, nullptr, FILE_BEGIN);
    if (!read) {
        // Reading from beyond the end is the end of the file, not a fault.
        if (error == ERROR_HANDLE_EOF) {
            return 0;
        }
        errorText_ = DescribeError(error);
        return -1;
    }
    return got;
}

}  // namespace platform::detail
