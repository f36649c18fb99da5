// Copying a rectangle of the picture into a surface, top row first.
#include <algorithm>
#include <cstring>

#include "video/bitmap.h"

namespace {

// The destination positions k in [begin, end) whose source position
// start + k lies inside the source and k inside the destination.
struct Span {
    int64_t begin;
    int64_t end;
};

Span Overlap(int64_t length, int64_t start, int64_t sourceLength, int64_t destinationLength) {
    const int64_t begin = std::max<int64_t>(0, -start);
    const int64_t end = std::min({length, sourceLength - start, destinationLength});
    return {begin, std::max(begin, end)};
}

}  // namespace

int32_t Bitmap::CopyToSurface(platform::Surface* surface, int32_t width, int32_t rows, int32_t srcX,
                              int32_t srcY) {
    if (surface == nullptr) {
        return 0;
    }
    platform::SurfaceDesc description{};
    description.size = sizeof(platform::SurfaceDesc);
    if (platform::Failed(surface->Lock(nullptr, &description, platform::DDLOCK_WAIT, nullptr))) {
        return 0;
    }
    auto* destination = static_cast<uint8_t*>(description.surface);
    const int64_t pitch = description.pitch;
    if (pixels != nullptr && destination != nullptr && pitch > 0) {
        const int64_t pictureWidth = Width();
        const int64_t pictureHeight = Height();
        const int64_t surfaceWidth = std::min<int64_t>(description.width, pitch);
        const Span columns = Overlap(width, srcX, pictureWidth, surfaceWidth);
        const Span lines = Overlap(rows, srcY, pictureHeight, description.height);
        const auto count = static_cast<size_t>(columns.end - columns.begin);
        for (int64_t k = lines.begin; count > 0 && k < lines.end; ++k) {
            // Rows are stored bottom-up: picture row y is stored row height - 1 - y.
            const int64_t storedRow = pictureHeight - 1 - (srcY + k);
            const uint8_t* source = pixels + storedRow * pictureWidth + srcX + columns.begin;
            std::memcpy(destination + k * pitch + columns.begin, source, count);
        }
    }
    surface->Unlock(nullptr);
    return 1;
}
