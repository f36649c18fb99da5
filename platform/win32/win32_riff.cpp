// RIFF files through the system's multimedia file reader.
#include "platform/win32/win32_native.h"

#include <string>

#include "platform/api/api_live_objects.h"
#include "platform/hosts/host.h"
#include "platform/riff.h"
#include "platform/system/system_file.h"

namespace platform {
namespace {

HMMIO Native(RiffFile file) {
    return reinterpret_cast<HMMIO>(file);
}

// The chunk records have the system's layout (checked in same_values.cpp).
MMCKINFO* Native(ChunkInfo* chunk) {
    return reinterpret_cast<MMCKINFO*>(chunk);
}

const MMCKINFO* Native(const ChunkInfo* chunk) {
    return reinterpret_cast<const MMCKINFO*>(chunk);
}

// Whether a file is one the game may read as a sound: a regular file on a
// disk, not a device, and no larger than any sound could be. Says why not.
bool IsReadableSound(const char* fileName) {
    detail::SystemFile file;
    if (!file.Open(fileName)) {
        detail::SetErrorText(file.Problem());
        return false;
    }
    if (file.Length() > kLargestRiffFile) {
        detail::SetErrorText(kRiffFileTooLarge);
        return false;
    }
    return true;
}

bool Matches(const MMCKINFO& found, const ChunkInfo& wanted, uint32_t search) {
    switch (search) {
        case MMIO_FINDCHUNK:
            return found.ckid == wanted.id;
        case MMIO_FINDRIFF:
            return found.ckid == FOURCC_RIFF && found.fccType == wanted.formType;
        case MMIO_FINDLIST:
            return found.ckid == FOURCC_LIST && found.fccType == wanted.formType;
        default:
            return true;
    }
}

// Whether the position has reached the end of the parent's data.
bool PastParent(HMMIO file, const ChunkInfo* parent) {
    if (parent == nullptr) {
        return false;
    }
    const LONG position = mmioSeek(file, 0, SEEK_CUR);
    return position < 0 ||
           static_cast<uint64_t>(position) >= uint64_t{parent->dataOffset} + parent->size;
}

}  // namespace

RiffFile RiffOpen(const char* fileName, uint32_t flags) {
    if (fileName == nullptr || !IsReadableSound(fileName)) {
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
    const uint32_t search = flags & (MMIO_FINDCHUNK | MMIO_FINDRIFF | MMIO_FINDLIST);
    if (search == 0) {
        return mmioDescend(Native(file), Native(chunk), Native(parent), flags);
    }
    // The system's own search walks as many chunks as the file holds, and a
    // file of zeros is millions of empty ones. The search goes chunk by chunk
    // instead, one plain descent each, and gives up where the shared reader
    // does.
    for (uint32_t step = 0; step < kMostChunksPerSearch; ++step) {
        if (PastParent(Native(file), parent)) {
            return RIFFERR_CHUNKNOTFOUND;
        }
        MMCKINFO found{};
        const RiffResult descended = mmioDescend(Native(file), &found, Native(parent), 0);
        if (descended != MMSYSERR_NOERROR) {
            return RIFFERR_CHUNKNOTFOUND;
        }
        if (Matches(found, *chunk, search)) {
            *Native(chunk) = found;
            return RIFF_OK;
        }
        if (mmioAscend(Native(file), &found, 0) != MMSYSERR_NOERROR) {
            return RIFFERR_CHUNKNOTFOUND;
        }
    }
    return RIFFERR_CHUNKNOTFOUND;
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
