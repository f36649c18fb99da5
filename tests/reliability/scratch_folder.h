// A fresh working folder holding the game's data files, for one run of the
// program with some of them changed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace reliability {

using Bytes = std::vector<uint8_t>;

class ScratchFolder {
public:
    // Makes the folder and works in it until destroyed; each of the game's
    // data files of the folder the tests run in shows through as a link.
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The bytes of a data file as the build made it.
    static Bytes GoodBytes(const char* name);

    void Remove(const char* name);
    void Write(const char* name, const Bytes& bytes);
    // A folder where the file should be.
    void MakeFolder(const char* name);

private:
    std::filesystem::path before_;
    std::filesystem::path folder_;
};

}  // namespace reliability
