#include "fuzz/input_file.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace fuzz {
namespace {

std::filesystem::path& ScratchFolder() {
    static std::filesystem::path folder;
    return folder;
}

void RemoveScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(ScratchFolder(), ignored);
}

const std::filesystem::path& MakeScratchFolder() {
    std::filesystem::path& folder = ScratchFolder();
    if (folder.empty()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "stackwell-fuzz-XXXXXX");
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::perror("cannot make the fuzzer's scratch folder");
            std::abort();
        }
        folder = pattern;
        std::atexit(RemoveScratchFolder);
    }
    return folder;
}

}  // namespace

const char* WriteInputFile(const char* name, const uint8_t* data, size_t size) {
    static std::string path;
    path = (MakeScratchFolder() / name).string();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || (size > 0 && std::fwrite(data, 1, size, file) != size) ||
        std::fclose(file) != 0) {
        std::perror("cannot write the fuzzer's input file");
        std::abort();
    }
    return path.c_str();
}

}  // namespace fuzz
