// RIFF files through the system's multimedia file reader.
#include "platform/win32/native.h"

#include <string>

#include "platform/common/live_objects.h"
#include "platform/riff.h"

namespace platform {
namespace {

HMMIO Native(RiffFile file) {
    return reinterpret_cast<HMMIO>(file);
}

// The chunk records have the system's layout (checked in same_values.cpp).
MMCKINFO* Native(ChunkInfo* chunk) {
    return reinterpret_cast<MMCKINFO*>(chunk);
}

}  // namespace

RiffFile RiffOpen(const char* fileName, uint32_t flags) {
    if (fileName == nullptr) {
        return nullptr;
    }
    // The system takes the name as writable; it is only read when opening.
    std::string name = fileName;
    HMMIO file = mmioOpenA(name.data(), nullptr, flags);
    if (file != nullptr) {
        detail::NoteMade(detail::LiveKind::RiffFile);
    }
    return reinterpret_cast<RiffFile>(file);
}

RiffResult RiffDescend(RiffFile file, ChunkInfo* chunk, const ChunkInfo* parent, uint32_t flags) {
    if (file == nullptr || chunk == nullptr) {
        return RIFFERR_INVALIDPARAM;
    }
    return mmioDescend(Native(file), Native(chunk), reinterpret_cast<const MMCKINFO*>(parent),
                       flags);
}

int32_t RiffRead(RiffFile file, void* buffer, int32_t count) {
    if (file == nullptr) {
        return -1;
    }
    return mmioRead(Native(file), static_cast<HPSTR>(buffer), count);
}

RiffResult RiffAscend(RiffFile file, const ChunkInfo* chunk, uint32_t flags) {
    if (file == nullptr || chunk == nullptr) {
        return RIFFERR_INVALIDPARAM;
    }
    // The system may write the chunk's size back for a chunk it wrote; ours are read.
    ChunkInfo copy = *chunk;
    return mmioAscend(Native(file), Native(&copy), flags);
}

RiffResult RiffClose(RiffFile file, uint32_t flags) {
    if (file == nullptr) {
        return RIFFERR_INVALIDPARAM;
    }
    const RiffResult closed = mmioClose(Native(file), flags);
    detail::NoteGone(detail::LiveKind::RiffFile);
    return closed;
}

}  // namespace platform
