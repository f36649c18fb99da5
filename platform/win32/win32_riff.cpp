// RIFF files through the system's multimedia file reader.
#include "platform/win32/win32_native.h"

#include <string>

#include "platform/driver/driver.h"
#include "platform/system/system_file.h"

namespace platform::driver {
namespace {

HMMIO Mmio(Native file) {
    return static_cast<HMMIO>(file);
}

// The chunk records have the system's layout (checked in same_values.cpp).
MMCKINFO* System(ChunkInfo* chunk) {
    return reinterpret_cast<MMCKINFO*>(chunk);
}

const MMCKINFO* System(const ChunkInfo* chunk) {
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

Result RiffOpen(const char* fileName, Native* file) {
    if (!IsReadableSound(fileName)) {
        return kErrGeneric;
    }
    // The system takes the name as writable; it is only read when opening.
    std::string name = fileName;
    HMMIO opened = mmioOpenA(name.data(), nullptr, MMIO_READ | MMIO_ALLOCBUF);
    if (opened == nullptr) {
        return detail::Refuse(kErrGeneric, "the system cannot read it as a sound");
    }
    *file = opened;
    return kOk;
}

RiffResult RiffDescend(Native file, ChunkInfo* chunk, const ChunkInfo* parent, uint32_t search) {
    if (search == 0) {
        return mmioDescend(Mmio(file), System(chunk), System(parent), 0);
    }
    // The system's own search walks as many chunks as the file holds, and a
    // file of zeros is millions of empty ones. The search goes chunk by chunk
    // instead, one plain descent each, and gives up where the emulated
    // reader does. A search that fails leaves the position where it was.
    const LONG start = mmioSeek(Mmio(file), 0, SEEK_CUR);
    for (uint32_t step = 0; step < kMostChunksPerSearch; ++step) {
        MMCKINFO found{};
        if (PastParent(Mmio(file), parent) ||
            mmioDescend(Mmio(file), &found, System(parent), 0) != MMSYSERR_NOERROR) {
            break;
        }
        if (Matches(found, *chunk, search)) {
            *System(chunk) = found;
            return RIFF_OK;
        }
        if (mmioAscend(Mmio(file), &found, 0) != MMSYSERR_NOERROR) {
            break;
        }
    }
    mmioSeek(Mmio(file), start, SEEK_SET);
    return RIFFERR_CHUNKNOTFOUND;
}

int32_t RiffRead(Native file, void* buffer, int32_t count) {
    return mmioRead(Mmio(file), static_cast<HPSTR>(buffer), count);
}

RiffResult RiffAscend(Native file, const ChunkInfo& chunk) {
    // The system may write the chunk's size back for a chunk it wrote; ours are read.
    ChunkInfo copy = chunk;
    return mmioAscend(Mmio(file), System(&copy), 0);
}

RiffResult RiffClose(Native file) {
    return mmioClose(Mmio(file), 0);
}

}  // namespace platform::driver
