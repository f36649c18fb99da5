#include "tests/reliability/scratch_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <iterator>
#include <string>

#include "tests/reliability/program_driver.h"

namespace reliability {
namespace {

// The folder the test program started in, where the build put the data files.
const std::filesystem::path& RunFolder() {
    static const std::filesystem::path folder = std::filesystem::current_path();
    return folder;
}

}  // namespace

ScratchFolder::ScratchFolder() : before_(std::filesystem::current_path()) {
    RunFolder();
    std::string pattern = (std::filesystem::temp_directory_path() / "stackwell-data-XXXXXX");
    if (::mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "cannot make a scratch folder";
        return;
    }
    folder_ = pattern;
    for (const char* name : kPictureFiles) {
        std::filesystem::create_symlink(RunFolder() / name, folder_ / name);
    }
    for (const char* name : kSoundFiles) {
        std::filesystem::create_symlink(RunFolder() / name, folder_ / name);
    }
    std::filesystem::current_path(folder_);
}

ScratchFolder::~ScratchFolder() {
    std::filesystem::current_path(before_);
    if (!folder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
}

Bytes ScratchFolder::GoodBytes(const char* name) {
    std::ifstream file(RunFolder() / name, std::ios::binary);
    Bytes bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_FALSE(bytes.empty()) << name << " is missing from the run folder";
    return bytes;
}

void ScratchFolder::Remove(const char* name) {
    std::filesystem::remove(folder_ / name);
}

void ScratchFolder::Write(const char* name, const Bytes& bytes) {
    Remove(name);
    std::ofstream file(folder_ / name, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

void ScratchFolder::MakeFolder(const char* name) {
    Remove(name);
    std::filesystem::create_directory(folder_ / name);
}

}  // namespace reliability
