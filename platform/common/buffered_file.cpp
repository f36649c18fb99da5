#include "platform/common/buffered_file.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace platform::detail {
namespace {

constexpr uint64_t kLargestRiffFile = 0xFFFFFFFFu;

}  // namespace

BufferedFile* BufferedFile::Open(const char* fileName, size_t bufferSize) {
    if (fileName == nullptr || bufferSize == 0) {
        return nullptr;
    }
    auto* file = new (std::nothrow) BufferedFile();
    if (file == nullptr) {
        return nullptr;
    }
    if (!file->file_.Open(fileName)) {
        delete file;
        return nullptr;
    }
    file->length_ = std::min(file->file_.Length(), kLargestRiffFile);
    try {
        file->buffer_.resize(bufferSize);
    } catch (const std::bad_alloc&) {
        delete file;
        return nullptr;
    }
    return file;
}

int64_t BufferedFile::ReadAt(uint64_t position, void* destination, size_t count) {
    auto* out = static_cast<uint8_t*>(destination);
    if (position >= length_) {
        return 0;
    }
    count = static_cast<size_t>(std::min<uint64_t>(count, length_ - position));
    size_t done = 0;
    while (done < count) {
        uint64_t at = position + done;
        size_t wanted = count - done;
        if (at >= bufferStart_ && at < bufferStart_ + bufferFill_) {
            size_t offset = static_cast<size_t>(at - bufferStart_);
            size_t take = std::min(wanted, bufferFill_ - offset);
            std::memcpy(out + done, buffer_.data() + offset, take);
            done += take;
        } else if (wanted >= buffer_.size()) {
            // A large read goes straight to the caller instead of through the buffer.
            int64_t got = ReadFromDisk(at, out + done, wanted);
            if (got < 0) {
                return -1;
            }
            if (got == 0) {
                break;
            }
            done += static_cast<size_t>(got);
        } else {
            if (!Refill(at)) {
                return -1;
            }
            if (bufferFill_ == 0) {
                break;
            }
        }
    }
    return static_cast<int64_t>(done);
}

bool BufferedFile::Refill(uint64_t position) {
    bufferStart_ = position;
    bufferFill_ = 0;
    int64_t got = ReadFromDisk(position, buffer_.data(), buffer_.size());
    if (got < 0) {
        return false;
    }
    bufferFill_ = static_cast<size_t>(got);
    return true;
}

int64_t BufferedFile::ReadFromDisk(uint64_t position, uint8_t* destination, size_t count) {
    size_t done = 0;
    while (done < count) {
        const int64_t got = file_.ReadAt(position + done, destination + done, count - done);
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

}  // namespace platform::detail
