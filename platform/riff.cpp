// The RIFF reader's checks and its count of open files, on every driver.
#include "platform/riff.h"

#include "platform/api/api_live_objects.h"
#include "platform/driver/driver.h"

namespace platform {
namespace {

constexpr uint32_t kSearchFlags = RIFF_FINDCHUNK | RIFF_FINDRIFF | RIFF_FINDLIST;

bool IsSingleSearch(uint32_t search) {
    return (search & (search - 1)) == 0;
}

}  // namespace

RiffFile RiffOpen(const char* fileName, uint32_t flags) {
    if (fileName == nullptr || (flags & ~RIFF_ALLOCBUF) != RIFF_READ) {
        detail::SetErrorText("only existing files can be opened, and only for reading");
        return nullptr;
    }
    driver::Native file = nullptr;
    if (Failed(driver::RiffOpen(fileName, &file))) {
        return nullptr;
    }
    detail::NoteMade(detail::LiveKind::RiffFile);
    return static_cast<RiffFile>(file);
}

RiffResult RiffDescend(RiffFile file, ChunkInfo* chunk, const ChunkInfo* parent, uint32_t flags) {
    const uint32_t search = flags & kSearchFlags;
    if (file == nullptr || chunk == nullptr || (flags & ~kSearchFlags) != 0 ||
        !IsSingleSearch(search)) {
        return RIFFERR_INVALIDPARAM;
    }
    return driver::RiffDescend(file, chunk, parent, search);
}

int32_t RiffRead(RiffFile file, void* buffer, int32_t count) {
    if (file == nullptr || count < 0 || (buffer == nullptr && count > 0)) {
        return -1;
    }
    if (count == 0) {
        return 0;
    }
    return driver::RiffRead(file, buffer, count);
}

RiffResult RiffAscend(RiffFile file, const ChunkInfo* chunk, uint32_t flags) {
    if (file == nullptr || chunk == nullptr || flags != 0) {
        return RIFFERR_INVALIDPARAM;
    }
    return driver::RiffAscend(file, *chunk);
}

RiffResult RiffClose(RiffFile file, uint32_t /*flags*/) {
    if (file == nullptr) {
        return RIFFERR_INVALIDPARAM;
    }
    const RiffResult closed = driver::RiffClose(file);
    detail::NoteGone(detail::LiveKind::RiffFile);
    return closed;
}

}  // namespace platform
