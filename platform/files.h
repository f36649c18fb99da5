// Read-only files in the working directory.
#pragma once

#include <cstdint>

namespace platform {

struct FileObject;
using FileHandle = FileObject*;
inline constexpr FileHandle kInvalidFile = nullptr;

inline constexpr uint32_t GENERIC_READ = 0x80000000u;
inline constexpr uint32_t FILE_SHARE_READ = 0x00000001u;
inline constexpr uint32_t OPEN_EXISTING = 3;
inline constexpr uint32_t FILE_ATTRIBUTE_NORMAL = 0x00000080u;

// Opens an existing file. Only GENERIC_READ access with OPEN_EXISTING is
// supported; anything else, or a file that does not exist or is not a regular
// file, gives kInvalidFile, and LastErrorText() then says why in a few words
// ("no such file"). A named pipe or a device is refused at once, never waited on.
FileHandle OpenFile(const char* fileName, uint32_t access, uint32_t shareMode, uint32_t disposition,
                    uint32_t attributes);

// Reads up to count bytes. Returns true when the read itself worked, also when
// the file ended early: *bytesRead (if not null) then says how many bytes
// arrived, and 0 at the end of the file. Returns false only on an I/O error or
// an invalid handle.
bool ReadFile(FileHandle file, void* buffer, uint32_t count, uint32_t* bytesRead);

// Closes the file. Returns false for an invalid handle.
bool CloseFile(FileHandle file);

}  // namespace platform
