// Reading an 8-bit bitmap file: two headers, 256 colours, then the pixel rows
// right behind the palette.
#include "video/bitmap.h"

#include <cstring>
#include <new>
#include <vector>

#include "platform/files.h"
#include "platform/result.h"
#include "program/data_files.h"

namespace {

constexpr int kWidthOffset = 4;  // in the info header
constexpr int kHeightOffset = 8;
constexpr int kBitsPerPixelOffset = 14;
constexpr int kPaletteBitsPerPixel = 8;

int32_t ReadInt32(const uint8_t* bytes) {
    const uint32_t value =
        static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
        (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
    return static_cast<int32_t>(value);
}

int32_t ReadInt16(const uint8_t* bytes) {
    return static_cast<int32_t>(static_cast<uint32_t>(bytes[0]) |
                                (static_cast<uint32_t>(bytes[1]) << 8));
}

class OpenedFile {
public:
    explicit OpenedFile(const char* fileName)
        : handle(platform::OpenFile(fileName, platform::GENERIC_READ, platform::FILE_SHARE_READ,
                                    platform::OPEN_EXISTING, platform::FILE_ATTRIBUTE_NORMAL)) {}
    ~OpenedFile() {
        if (handle != platform::kInvalidFile) {
            platform::CloseFile(handle);
        }
    }
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;

    bool IsOpen() const { return handle != platform::kInvalidFile; }
    // Whether a read found the end of the file; every later read gives zeros.
    bool Ended() const { return ended; }

    // Reads the next count bytes. Where the file ends early the rest of the
    // buffer becomes 0, so nothing left from before passes for the file's
    // content. False only when the read itself fails.
    bool Read(void* buffer, uint32_t count) {
        if (count == 0) {
            return true;
        }
        uint32_t arrived = 0;
        if (!platform::ReadFile(handle, buffer, count, &arrived)) {
            return false;
        }
        if (arrived < count) {
            std::memset(static_cast<uint8_t*>(buffer) + arrived, 0, count - arrived);
            ended = true;
        }
        return true;
    }

private:
    platform::FileHandle handle;
    bool ended = false;
};

// Rows are stored bottom-up, so a negative size is not a picture of ours; a
// width of 0 with rows, or a block beyond any screen, is a broken file.
bool IsPictureSize(int32_t width, int32_t height) {
    if (width < 0 || height < 0 || width > kMaxBitmapSide || height > kMaxBitmapSide) {
        return false;
    }
    return width > 0 || height == 0;
}

// Each stored row is padded to a multiple of 4 bytes.
uint32_t RowPadding(int32_t width) {
    const uint32_t stride = (static_cast<uint32_t>(width) + 3u) & ~3u;
    return stride - static_cast<uint32_t>(width);
}

}  // namespace

Bitmap::Bitmap() : fileHeader{}, infoHeader{}, palette{}, pixels(nullptr) {}

Bitmap::~Bitmap() {
    ReleasePixels();
}

void Bitmap::ReleasePixels() {
    delete[] pixels;
    pixels = nullptr;
}

int32_t Bitmap::Width() const {
    return ReadInt32(infoHeader + kWidthOffset);
}

int32_t Bitmap::Height() const {
    return ReadInt32(infoHeader + kHeightOffset);
}

int32_t Bitmap::Load(const char* fileName) {
    if (fileName == nullptr || !DataFilesWanted()) {
        return 0;
    }
    const auto unusable = [fileName](const char* reason) {
        ReportUnusableDataFile(fileName, reason);
        return 0;
    };
    OpenedFile file(fileName);
    if (!file.IsOpen()) {
        return unusable(platform::LastErrorText());
    }
    // From here the headers change, and an old pixel block would no longer
    // match the size they give.
    ReleasePixels();
    constexpr const char* kUnreadable = "the file cannot be read";
    if (!file.Read(fileHeader, sizeof fileHeader) || !file.Read(infoHeader, sizeof infoHeader)) {
        return unusable(kUnreadable);
    }
    if (ReadInt16(infoHeader + kBitsPerPixelOffset) != kPaletteBitsPerPixel) {
        return unusable("not a picture of 256 colours");
    }
    if (!file.Read(palette, sizeof palette)) {
        return unusable(kUnreadable);
    }

    const int32_t width = Width();
    const int32_t height = Height();
    if (!IsPictureSize(width, height)) {
        return unusable("its width and height make no picture (at most 4096 x 4096)");
    }
    const size_t rowBytes = static_cast<size_t>(width);
    pixels = new (std::nothrow) uint8_t[rowBytes * static_cast<size_t>(height)]();
    if (pixels == nullptr) {
        return unusable("out of memory");
    }
    // A row and its padding come in one read. The block starts as zeros, so
    // the rows after the end of the file need no reading.
    const uint32_t padding = RowPadding(width);
    std::vector<uint8_t> stored(rowBytes + padding);
    for (int32_t row = 0; row < height && !file.Ended(); ++row) {
        if (!file.Read(stored.data(), static_cast<uint32_t>(stored.size()))) {
            ReleasePixels();
            return unusable(kUnreadable);
        }
        std::memcpy(pixels + static_cast<size_t>(row) * rowBytes, stored.data(), rowBytes);
    }
    return 1;
}

int32_t Bitmap::ApplyPalette(platform::Palette* target) {
    if (target == nullptr) {
        return 1;
    }
    platform::PaletteEntry entries[256];
    for (int i = 0; i < 256; ++i) {
        entries[i].red = palette[i][2];
        entries[i].green = palette[i][1];
        entries[i].blue = palette[i][0];
        entries[i].flags = 0;
    }
    target->SetEntries(0, 0, 256, entries);
    return 1;
}
