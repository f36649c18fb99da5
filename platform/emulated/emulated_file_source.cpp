// Data files from the system's files (platform/system), or from memory.
#include "platform/emulated/emulated_file_source.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

namespace platform::detail {
namespace {

constexpr const char* kOutOfMemory = "out of memory";

struct MemoryFile {
    std::string name;
    const uint8_t* data = nullptr;
    size_t size = 0;
};

MemoryFile& Served() {
    static MemoryFile file;
    return file;
}

uint64_t& ReadCount() {
    static uint64_t count = 0;
    return count;
}

}  // namespace

FileSource* FileSource::Open(const char* fileName, const char** problem) {
    static const char* unused = nullptr;
    const char*& why = problem != nullptr ? *problem : unused;
    if (fileName == nullptr) {
        why = "no file name";
        return nullptr;
    }
    const MemoryFile& served = Served();
    if (served.data != nullptr && served.name == fileName) {
        auto* source = new (std::nothrow) FileSource(served.data, served.size);
        why = source == nullptr ? kOutOfMemory : nullptr;
        return source;
    }
    auto* source = new (std::nothrow) FileSource(nullptr, 0);
    if (source == nullptr) {
        why = kOutOfMemory;
        return nullptr;
    }
    if (!source->file_.Open(fileName)) {
        why = source->file_.Problem();
        delete source;
        return nullptr;
    }
    source->length_ = source->file_.Length();
    why = nullptr;
    return source;
}

FileSource::FileSource(const uint8_t* memory, uint64_t length) : memory_(memory), length_(length) {}

FileSource::~FileSource() = default;

int64_t FileSource::ReadAt(uint64_t position, void* destination, size_t count) {
    ++ReadCount();
    auto* out = static_cast<uint8_t*>(destination);
    if (!file_.IsOpen()) {
        if (position >= length_) {
            return 0;
        }
        const size_t take = static_cast<size_t>(std::min<uint64_t>(count, length_ - position));
        std::memcpy(out, memory_ + position, take);
        return static_cast<int64_t>(take);
    }
    size_t done = 0;
    while (done < count) {
        const int64_t got = file_.ReadAt(position + done, out + done, count - done);
        if (got < 0) {
            return -1;
        }
        if (got == 0) {
            break;
        }
        done += static_cast<size_t>(got);
    }
    return static_cast<int64_t>(done);
}

void ServeFromMemory(const char* fileName, const uint8_t* data, size_t size) {
    MemoryFile& served = Served();
    served.name = fileName != nullptr ? fileName : "";
    // An empty input still is a file, of no bytes.
    static const uint8_t kNothing = 0;
    served.data = data != nullptr ? data : &kNothing;
    served.size = data != nullptr ? size : 0;
}

uint64_t SourceReads() {
    return ReadCount();
}

}  // namespace platform::detail
