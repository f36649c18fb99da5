#include "tests/video/picture_files.h"

#include <stdlib.h>

#include <fstream>
#include <stdexcept>

namespace video_test {
namespace {

void PutUint16(std::vector<uint8_t>& bytes, uint32_t value) {
    bytes.push_back(static_cast<uint8_t>(value));
    bytes.push_back(static_cast<uint8_t>(value >> 8));
}

void PutUint32(std::vector<uint8_t>& bytes, uint32_t value) {
    PutUint16(bytes, value & 0xFFFFu);
    PutUint16(bytes, value >> 16);
}

}  // namespace

Picture::Picture(int32_t w, int32_t h, uint8_t fill)
    : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h), fill) {}

void Picture::Fill(int32_t x, int32_t y, int32_t w, int32_t h, uint8_t index) {
    for (int32_t row = y; row < y + h; ++row) {
        for (int32_t column = x; column < x + w; ++column) {
            At(column, row) = index;
        }
    }
}

FilePalette DistinctPalette() {
    FilePalette palette{};
    for (int i = 0; i < 256; ++i) {
        palette[i].red = static_cast<uint8_t>(i);
        palette[i].green = static_cast<uint8_t>(255 - i);
        palette[i].blue = static_cast<uint8_t>(i / 2);
    }
    return palette;
}

std::vector<uint8_t> EncodeBitmap(const Picture& picture, const FilePalette& palette,
                                  const BitmapFileOptions& options) {
    const int32_t widthField = options.widthField != 0 ? options.widthField : picture.width;
    const int32_t heightField = options.heightField != 0 ? options.heightField : picture.height;
    const uint32_t stride = (static_cast<uint32_t>(picture.width) + 3u) & ~3u;
    const uint32_t imageSize = stride * static_cast<uint32_t>(picture.height);

    std::vector<uint8_t> bytes;
    bytes.push_back('B');
    bytes.push_back('M');
    PutUint32(bytes, 1078 + imageSize);
    PutUint32(bytes, 0);
    PutUint32(bytes, options.pixelDataOffset);

    PutUint32(bytes, 40);
    PutUint32(bytes, static_cast<uint32_t>(widthField));
    PutUint32(bytes, static_cast<uint32_t>(heightField));
    PutUint16(bytes, 1);
    PutUint16(bytes, options.bitsPerPixel);
    PutUint32(bytes, 0);
    PutUint32(bytes, imageSize);
    PutUint32(bytes, 2835);
    PutUint32(bytes, 2835);
    PutUint32(bytes, 256);
    PutUint32(bytes, 0);

    for (const FileColour& colour : palette) {
        bytes.push_back(colour.blue);
        bytes.push_back(colour.green);
        bytes.push_back(colour.red);
        bytes.push_back(colour.reserved);
    }
    for (int32_t row = picture.height - 1; row >= 0; --row) {
        for (int32_t column = 0; column < picture.width; ++column) {
            bytes.push_back(picture.At(column, row));
        }
        for (uint32_t pad = static_cast<uint32_t>(picture.width); pad < stride; ++pad) {
            bytes.push_back(options.paddingByte);
        }
    }
    return bytes;
}

void WriteFileBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

void WriteBitmap(const std::filesystem::path& path, const Picture& picture,
                 const FilePalette& palette, const BitmapFileOptions& options) {
    WriteFileBytes(path, EncodeBitmap(picture, palette, options));
}

ScratchDirectory::ScratchDirectory() : previous(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "video-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a scratch directory");
    }
    path = pattern;
    std::filesystem::current_path(path);
}

ScratchDirectory::~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(previous, ignored);
    std::filesystem::remove_all(path, ignored);
}

}  // namespace video_test
