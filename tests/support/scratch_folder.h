// Fresh folders for tests that write files, made the same way on every system
// (std::filesystem only): a name nobody has taken in the system's temporary
// folder.
#pragma once

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace test_support {

// Makes and returns a new, empty folder whose name starts with prefix; an
// empty path if none could be made.
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

// A fresh folder that is the working directory for the object's life, and
// is removed with it.
struct WorkingScratchFolder {
    explicit WorkingScratchFolder(const std::string& prefix) : folder(MakeScratchFolder(prefix)) {
        std::filesystem::current_path(folder);
    }
    ~WorkingScratchFolder() {
        std::filesystem::current_path(before);
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    const std::filesystem::path before = std::filesystem::current_path();
    const std::filesystem::path folder;
};

}  // namespace test_support
