#include "tests/video/video_fixture.h"

#include <stdlib.h>

#include <cstring>
#include <fstream>

#include "app/window_handles.h"
#include "platform/window.h"
#include "video/bitmap.h"
#include "video/display.h"

namespace video_test {
namespace {

void Put(std::vector<uint8_t>& bytes, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
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

Picture Pattern(int32_t width, int32_t height, int low, int span) {
    Picture picture(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            picture.At(x, y) = static_cast<uint8_t>(low + (x * 7 + y * 3) % span);
        }
    }
    return picture;
}

FilePalette DistinctPalette() {
    FilePalette palette{};
    for (int i = 0; i < 256; ++i) {
        palette[i] = {static_cast<uint8_t>(i / 2), static_cast<uint8_t>(255 - i),
                      static_cast<uint8_t>(i), 0};
    }
    return palette;
}

std::vector<uint8_t> EncodeBitmap(const Picture& picture, const FilePalette& palette,
                                  const FileOptions& options) {
    const uint32_t stride = (static_cast<uint32_t>(picture.width) + 3u) & ~3u;
    const uint32_t imageSize = stride * static_cast<uint32_t>(picture.height);
    std::vector<uint8_t> bytes{'B', 'M'};
    for (uint32_t field : {1078 + imageSize, 0u, options.pixelDataOffset, 40u,
                           static_cast<uint32_t>(options.widthField.value_or(picture.width)),
                           static_cast<uint32_t>(options.heightField.value_or(picture.height))}) {
        Put(bytes, field, 4);
    }
    Put(bytes, 1, 2);
    Put(bytes, options.bitsPerPixel, 2);
    for (uint32_t field : {0u, imageSize, 2835u, 2835u, 256u, 0u}) {
        Put(bytes, field, 4);
    }
    for (const auto& colour : palette) {
        bytes.insert(bytes.end(), colour.begin(), colour.end());
    }
    for (int32_t row = picture.height - 1; row >= 0; --row) {
        const auto first = picture.pixels.begin() + static_cast<ptrdiff_t>(row) * picture.width;
        bytes.insert(bytes.end(), first, first + picture.width);
        bytes.insert(bytes.end(), stride - static_cast<uint32_t>(picture.width), 0xEE);
    }
    return bytes;
}

void WriteFileBytes(const char* name, const std::vector<uint8_t>& bytes) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << name;
}

void WriteBitmap(const char* name, const Picture& picture, const FilePalette& palette,
                 const FileOptions& options) {
    WriteFileBytes(name, EncodeBitmap(picture, palette, options));
}

ScratchDirectory::ScratchDirectory() : previous(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "video-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) {
        path = pattern;
        std::filesystem::current_path(path);
    }
}

ScratchDirectory::~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(previous, ignored);
    if (!path.empty()) {
        std::filesystem::remove_all(path, ignored);
    }
}

void DisplayTest::SetUp() {
    PictureTest::SetUp();
    OpenDisplay();
    ASSERT_EQ(CreateScreenSurfaces(), 1);
}

void DisplayTest::TearDown() {
    ReleaseScreenSurfaces();
    ReleaseDisplay();
    if (mainWindow != nullptr) {
        platform::DestroyWindow(mainWindow);
        mainWindow = nullptr;
    }
}

void DisplayTest::OpenWindow() {
    platform::WindowClass windowClass;
    windowClass.procedure = &platform::DefWindowProc;
    windowClass.className = "VIDEOTESTCLASS";
    platform::RegisterClass(&windowClass);
    mainWindow = platform::CreateWindowEx(0, "VIDEOTESTCLASS", "video test",
                                          platform::WS_POPUP | platform::WS_VISIBLE, 0, 0, 640, 480,
                                          nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(mainWindow, nullptr);
}

void DisplayTest::OpenDisplay() {
    OpenWindow();
    ASSERT_EQ(InitDisplay(640, 480, 8), 1);
}

void DisplayTest::ApplyToScreen(const FilePalette& palette) {
    WriteBitmap("palette.bmp", Picture(1, 1), palette);
    Bitmap bitmap;
    ASSERT_EQ(bitmap.Load("palette.bmp"), 1);
    bitmap.ApplyPalette(primaryPalette);
    bitmap.ApplyPalette(backBufferPalette);
}

const platform::headless::Frame& DisplayTest::Shown() const {
    static const platform::headless::Frame none;
    const auto& frames = platform::headless::Frames();
    EXPECT_FALSE(frames.empty()) << "no frame was shown";
    return frames.empty() ? none : frames.back();
}

void FillSurface(platform::Surface* surface, uint8_t index) {
    platform::SurfaceDesc description{};
    description.size = sizeof description;
    ASSERT_EQ(surface->Lock(nullptr, &description, platform::DDLOCK_WAIT, nullptr), platform::kOk);
    std::memset(description.surface, index,
                static_cast<size_t>(description.pitch) * description.height);
    surface->Unlock(nullptr);
}

std::vector<uint8_t> SurfaceBytes(const platform::Surface* surface) {
    const size_t count = static_cast<size_t>(surface->Pitch()) * surface->Height();
    return std::vector<uint8_t>(surface->Pixels(), surface->Pixels() + count);
}

platform::Surface* MakeSurface(int32_t width, int32_t height) {
    platform::SurfaceDesc description{};
    description.size = sizeof description;
    description.flags = platform::DDSD_CAPS | platform::DDSD_WIDTH | platform::DDSD_HEIGHT;
    description.width = static_cast<uint32_t>(width);
    description.height = static_cast<uint32_t>(height);
    description.caps.caps = platform::DDSCAPS_OFFSCREENPLAIN;
    platform::Surface* surface = nullptr;
    directDraw->CreateSurface(&description, &surface, nullptr);
    return surface;
}

}  // namespace video_test
