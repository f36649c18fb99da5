// Fresh folders for tests that write files, made the same way on every system.
#pragma once

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace test_support {

// A new, empty folder in the system's temporary folder whose name starts with
// prefix; an empty path if none could be made.
inline std::filesystem::path MakeScratchFolder(const std::string& prefix) {
    static std::mt19937_64 names{std::random_device{}()};
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path folder = base / (prefix + "-" + std::to_string(names()));
        std::error_code error;
        // create_directory is true only for a folder it made itself.
        if (std::filesystem::create_directory(folder, error)) {
            return folder;
        }
    }
    return {};
}

// Puts the file at source under the name target: a hard link where the file
// system allows it, or else a copy.
inline void LinkOrCopy(const std::filesystem::path& source, const std::filesystem::path& target) {
    std::error_code error;
    std::filesystem::create_hard_link(source, target, error);
    if (error) {
        std::filesystem::copy_file(source, target);
    }
}

// Named pipes among the files are a POSIX thing; Windows keeps its pipes
// apart from the file system. MakeNamedPipe is false where it makes none.
#ifdef _WIN32
constexpr bool CanMakeNamedPipes() {
    return false;
}
inline bool MakeNamedPipe(const std::filesystem::path&) {
    return false;
}
#else
constexpr bool CanMakeNamedPipes() {
    return true;
}
inline bool MakeNamedPipe(const std::filesystem::path& path) {
    return ::mkfifo(path.c_str(), 0600) == 0;
}
#endif

}  // namespace test_support
