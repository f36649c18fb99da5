#include "tools/assetgen/bmp_writer.h"

#include "tools/assetgen/byte_writer.h"

namespace assetgen {

std::vector<uint8_t> EncodeBitmap(const Canvas& picture, const Palette& palette) {
    const int width = picture.Width();
    const int height = picture.Height();
    const int stride = (width + 3) & ~3;
    const auto imageSize = static_cast<uint32_t>(stride * height);

    ByteWriter out;
    out.Tag("BM");
    out.U32(kBitmapPixelOffset + imageSize);
    out.U16(0);
    out.U16(0);
    out.U32(kBitmapPixelOffset);

    out.U32(40);
    out.I32(width);
    out.I32(height);  // positive: rows stored bottom-up
    out.U16(1);       // planes
    out.U16(8);       // bits per pixel
    out.U32(0);       // no compression
    out.U32(imageSize);
    out.U32(2835);  // 72 dots per inch, in dots per metre
    out.U32(2835);
    out.U32(256);  // colours used
    out.U32(0);    // all colours important

    for (const Rgb& entry : palette) {
        out.U8(entry.b);
        out.U8(entry.g);
        out.U8(entry.r);
        out.U8(0);
    }

    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            out.U8(picture.At(x, y));
        }
        out.Zeros(static_cast<size_t>(stride - width));
    }
    return out.Data();
}

}  // namespace assetgen
