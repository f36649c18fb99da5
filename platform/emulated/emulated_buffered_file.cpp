#include "platform/emulated/emulated_buffered_file.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace platform::detail {

BufferedFile* BufferedFile::Open(const char* fileName, size_t bufferSize, const char** problem) {
    static const char* unused = nullptr;
    const char*& why = problem != nullptr ? *problem : unused;
    if (bufferSize == 0) {
        why = "no buffer";
        return nullptr;
    }
    FileSource* source = FileSource::Open(fileName, &why);
    if (source == nullptr) {
        return nullptr;
    }
    auto* file = new (std::nothrow) BufferedFile(source);
    if (file == nullptr) {
        delete source;
        why = "out of memory";
        return nullptr;
    }
    try {
        file->buffer_.resize(bufferSize);
    } catch (const std::bad_alloc&) {
        delete file;
        why = "out of memory";
        return nullptr;
    }
    return file;
}

BufferedFile::BufferedFile(FileSource* source) : source_(source) {}

BufferedFile::~BufferedFile() {
    delete source_;
}

int64_t BufferedFile::ReadAt(uint64_t position, void* destination, size_t count) {
    auto* out = static_cast<uint8_t*>(destination);
    const uint64_t length = Length();
    if (position >= length) {
        return 0;
    }
    count = static_cast<size_t>(std::min<uint64_t>(count, length - position));
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
            int64_t got = source_->ReadAt(at, out + done, wanted);
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
    int64_t got = source_->ReadAt(position, buffer_.data(), buffer_.size());
    if (got < 0) {
        return false;
    }
    bufferFill_ = static_cast<size_t>(got);
    return true;
}

}  // namespace platform::detail
