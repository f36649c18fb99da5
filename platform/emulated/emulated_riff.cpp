// The RIFF reader. Files are untrusted: every size is checked against the end
// of the file and of the parent chunk before it is followed, every step of a
// search moves forward by at least a chunk header, and a search steps over a
// bounded number of chunks, so a search always ends, and soon.
#include <algorithm>

#include "platform/driver/driver.h"
#include "platform/emulated/emulated_buffered_file.h"

namespace platform::driver {
namespace {

struct OpenedRiff {
    detail::BufferedFile* file = nullptr;
    uint64_t position = 0;
};

OpenedRiff& Opened(Native file) {
    return *static_cast<OpenedRiff*>(file);
}

constexpr size_t kRiffBufferSize = 8192;
constexpr uint32_t kChunkHeaderSize = 8;
constexpr uint32_t kFormTypeSize = 4;
constexpr FourCC kRiffId = MakeFourCC('R', 'I', 'F', 'F');
constexpr FourCC kListId = MakeFourCC('L', 'I', 'S', 'T');

// A RIFF or LIST chunk carries a form type in the first four bytes of its
// data; one too small to hold it is read as a plain chunk.
bool IsForm(FourCC id, uint32_t size) {
    return (id == kRiffId || id == kListId) && size >= kFormTypeSize;
}

// A form's data starts with its form type, as the system counts it.
uint64_t DataStart(const ChunkInfo& chunk) {
    return chunk.dataOffset;
}

uint64_t DataEnd(const ChunkInfo& chunk) {
    return DataStart(chunk) + chunk.size;
}

// Where the next chunk begins: chunks start on even offsets, so an odd-sized
// chunk is followed by a pad byte.
uint64_t PaddedEnd(uint64_t dataStart, uint32_t size) {
    return dataStart + size + (size & 1u);
}

uint32_t LittleEndian32(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
           (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

struct Header {
    FourCC id = 0;
    uint32_t size = 0;
    FourCC formType = 0;
    uint64_t dataOffset = 0;
};

enum class HeaderRead { Ok, Truncated, Failed };

// Reads the header of the chunk at position; it must lie wholly before limit.
HeaderRead ReadHeader(detail::BufferedFile& file, uint64_t position, uint64_t limit,
                      Header* header) {
    uint8_t bytes[kChunkHeaderSize + kFormTypeSize];
    if (position + kChunkHeaderSize > limit) {
        return HeaderRead::Truncated;
    }
    int64_t got = file.ReadAt(position, bytes, kChunkHeaderSize);
    if (got < 0) {
        return HeaderRead::Failed;
    }
    if (got < kChunkHeaderSize) {
        return HeaderRead::Truncated;
    }
    header->id = LittleEndian32(bytes);
    header->size = LittleEndian32(bytes + 4);
    header->formType = 0;
    header->dataOffset = position + kChunkHeaderSize;
    if (IsForm(header->id, header->size)) {
        if (header->dataOffset + kFormTypeSize > limit) {
            return HeaderRead::Truncated;
        }
        got = file.ReadAt(header->dataOffset, bytes + kChunkHeaderSize, kFormTypeSize);
        if (got < 0) {
            return HeaderRead::Failed;
        }
        if (got < kFormTypeSize) {
            return HeaderRead::Truncated;
        }
        header->formType = LittleEndian32(bytes + kChunkHeaderSize);
        header->dataOffset += kFormTypeSize;
    }
    return HeaderRead::Ok;
}

bool Matches(const Header& header, const ChunkInfo& wanted, uint32_t search) {
    switch (search) {
        case RIFF_FINDCHUNK:
            return header.id == wanted.id;
        case RIFF_FINDRIFF:
            return header.id == kRiffId && IsForm(header.id, header.size) &&
                   header.formType == wanted.formType;
        case RIFF_FINDLIST:
            return header.id == kListId && IsForm(header.id, header.size) &&
                   header.formType == wanted.formType;
        default:
            return true;
    }
}

}  // namespace

Result RiffOpen(const char* fileName, Native* file) {
    const char* problem = nullptr;
    detail::BufferedFile* opened = detail::BufferedFile::Open(fileName, kRiffBufferSize, &problem);
    if (opened != nullptr && opened->Length() > kLargestRiffFile) {
        problem = kRiffFileTooLarge;
        delete opened;
        opened = nullptr;
    }
    if (opened == nullptr) {
        return detail::Refuse(kErrGeneric, problem);
    }
    *file = new OpenedRiff{opened, 0};
    return kOk;
}

RiffResult RiffDescend(Native riff, ChunkInfo* chunk, const ChunkInfo* parent, uint32_t search) {
    OpenedRiff* file = &Opened(riff);
    uint64_t position = file->position;
    uint64_t limit = file->file->Length();
    if (parent != nullptr) {
        if (position < DataStart(*parent) || position >= DataEnd(*parent)) {
            return RIFFERR_CHUNKNOTFOUND;
        }
        limit = std::min(limit, DataEnd(*parent));
    }
    for (uint32_t step = 0; step < kMostChunksPerSearch; ++step) {
        Header header;
        HeaderRead read = ReadHeader(*file->file, position, limit, &header);
        if (read == HeaderRead::Failed) {
            return RIFFERR_CANNOTREAD;
        }
        if (read == HeaderRead::Truncated) {
            return search != 0 ? RIFFERR_CHUNKNOTFOUND : RIFFERR_CANNOTREAD;
        }
        if (Matches(header, *chunk, search)) {
            chunk->id = header.id;
            chunk->size = header.size;
            chunk->formType = header.formType;
            // The position goes past a form's type; its data offset does not.
            const bool form = IsForm(header.id, header.size);
            chunk->dataOffset =
                static_cast<uint32_t>(form ? header.dataOffset - kFormTypeSize : header.dataOffset);
            chunk->flags = 0;
            file->position = header.dataOffset;
            return RIFF_OK;
        }
        position = PaddedEnd(position + kChunkHeaderSize, header.size);
    }
    return RIFFERR_CHUNKNOTFOUND;
}

int32_t RiffRead(Native riff, void* buffer, int32_t count) {
    OpenedRiff& file = Opened(riff);
    const int64_t got = file.file->ReadAt(file.position, buffer, static_cast<size_t>(count));
    if (got < 0) {
        return -1;
    }
    file.position += static_cast<uint64_t>(got);
    return static_cast<int32_t>(got);
}

RiffResult RiffAscend(Native riff, const ChunkInfo& chunk) {
    Opened(riff).position = PaddedEnd(DataStart(chunk), chunk.size);
    return RIFF_OK;
}

RiffResult RiffClose(Native riff) {
    delete Opened(riff).file;
    delete &Opened(riff);
    return RIFF_OK;
}

}  // namespace platform::driver
