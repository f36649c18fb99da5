// The program's icon: the .ico file beside the program, and the PNG files the
// desktop's icon theme gets, which any reader takes (checked here by a decoder
// of our own, separate from the writer); each shows the copy the program
// carries.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/program_icon.h"
#include "tests/support/picture_file.h"

namespace {

using namespace test_support;
using Bytes = std::vector<uint8_t>;

// One 32 x 32 image of 16 colours in the .ico file beside the program, the
// same picture as the copy the program carries.
TEST(Icon, TheFileAndTheProgramsCopyAreTheSamePicture) {
    const Bytes file = ReadWholeFile("stackwell.ico");
    ASSERT_GE(file.size(), 22u);
    EXPECT_EQ(Little(file, 0), 0x10000u) << "an icon, not a cursor";
    ASSERT_EQ(Little(file, 4, 2), 1u);
    EXPECT_EQ(Little(file, 6), 0x00102020u) << "32 x 32, 16 colours";
    EXPECT_EQ(Little(file, 12, 2), 4u);
    const uint32_t size = Little(file, 14);
    const uint32_t offset = Little(file, 18);
    ASSERT_EQ(offset + size, file.size());
    ASSERT_EQ(size, 40u + 16 * 4 + 32 * 32 / 2 + 32 * 4);  // colour rows and mask rows
    EXPECT_EQ(Little(file, offset), 40u);
    EXPECT_EQ(Little(file, offset + 4), 32u);
    EXPECT_EQ(Little(file, offset + 8), 64u);
    EXPECT_EQ(Little(file, offset + 14, 2), 4u);

    const platform::IconImage& carried = ProgramIcon();
    ASSERT_TRUE(carried.width == 32 && carried.height == 32 && carried.colourCount == 16);
    ASSERT_TRUE(carried.pixels != nullptr && carried.colours != nullptr);
    for (size_t i = 0; i < 16; ++i) {
        EXPECT_EQ(carried.colours[i], Little(file, offset + 40 + 4 * i) & 0xFFFFFF) << i;
    }
    for (size_t stored = 0; stored < 32; ++stored) {
        for (size_t x = 0; x < 32; ++x) {
            const uint8_t pair = file[offset + 40 + 64 + stored * 16 + x / 2];
            const uint8_t pixel = carried.pixels[(31 - stored) * 32 + x];
            EXPECT_EQ(pixel, x % 2 == 0 ? pair >> 4 : pair & 0x0F) << x << ", " << 31 - stored;
        }
    }
}

#ifdef ICON_PICTURE_FOLDER

uint32_t Big(const Bytes& bytes, size_t offset) {
    return (uint32_t{bytes.at(offset)} << 24) | (uint32_t{bytes.at(offset + 1)} << 16) |
           (uint32_t{bytes.at(offset + 2)} << 8) | bytes.at(offset + 3);
}

// Bit by bit, as the PNG standard defines it.
uint32_t SlowCrc32(const uint8_t* data, size_t size) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ ((crc & 1) != 0 ? 0xEDB88320u : 0);
        }
    }
    return ~crc;
}

uint32_t SlowAdler32(const Bytes& data) {
    uint64_t a = 1, b = 0;
    for (uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return static_cast<uint32_t>((b << 16) | a);
}

// The chunks of a PNG file by type, the image data joined, each CRC checked;
// an empty IEND chunk ends the file.
void ReadChunks(const Bytes& file, std::map<std::string, Bytes>& chunks) {
    const Bytes signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ASSERT_TRUE(file.size() > 8 && std::equal(signature.begin(), signature.end(), file.begin()));
    for (size_t at = 8; !chunks.contains("IEND");) {
        ASSERT_LE(at + 12, file.size()) << "no IEND chunk";
        const uint32_t length = Big(file, at);
        ASSERT_LE(at + 12 + length, file.size()) << "a chunk runs past the end of the file";
        const std::string type(file.begin() + at + 4, file.begin() + at + 8);
        EXPECT_EQ(Big(file, at + 8 + length), SlowCrc32(&file[at + 4], length + 4))
            << "CRC of " << type;
        chunks[type].insert(chunks[type].end(), file.begin() + at + 8,
                            file.begin() + at + 8 + length);
        at += 12 + length;
        EXPECT_TRUE(type != "IEND" || (length == 0 && at == file.size())) << "IEND ends the file";
    }
}

// The bytes of a zlib stream made of stored deflate blocks, its header and
// Adler-32 checked.
void InflateStored(const Bytes& stream, Bytes& out) {
    ASSERT_GE(stream.size(), 6u);
    EXPECT_EQ(stream[0] & 0x0F, 8) << "deflate";
    EXPECT_EQ((stream[0] * 256 + stream[1]) % 31, 0) << "header check";
    EXPECT_EQ(stream[1] & 0x20, 0) << "no preset dictionary";
    size_t at = 2;
    for (bool last = false; !last;) {
        ASSERT_LE(at + 5, stream.size()) << "no final block";
        last = (stream[at] & 1) != 0;
        EXPECT_EQ((stream[at] >> 1) & 3, 0) << "stored blocks only";
        const uint32_t length = Little(stream, at + 1, 2);
        EXPECT_EQ(length ^ 0xFFFF, Little(stream, at + 3, 2)) << "length and its complement";
        at += 5 + length;
        ASSERT_LE(at, stream.size()) << "a block runs past the end of the stream";
        out.insert(out.end(), stream.begin() + (at - length), stream.begin() + at);
    }
    ASSERT_EQ(at + 4, stream.size()) << "the Adler-32 ends the stream";
    EXPECT_EQ(Big(stream, at), SlowAdler32(out));
}

TEST(IconPictures, EachSizeShowsTheProgramIconPixelForPixel) {
    // The copy the program carries, held equal to stackwell.ico above.
    const platform::IconImage& icon = ProgramIcon();
    ASSERT_TRUE(icon.width == 32 && icon.height == 32 && icon.pixels != nullptr);
    for (uint32_t size : {32u, 48u, 64u, 128u, 256u}) {
        SCOPED_TRACE("size " + std::to_string(size));
        std::map<std::string, Bytes> png;
        ASSERT_NO_FATAL_FAILURE(
            ReadChunks(ReadWholeFile(std::string(ICON_PICTURE_FOLDER) + "/stackwell-" +
                                     std::to_string(size) + ".png"),
                       png));
        const Bytes &header = png["IHDR"], &palette = png["PLTE"];
        ASSERT_EQ(header.size(), 13u);
        EXPECT_EQ(Big(header, 0), size);
        EXPECT_EQ(Big(header, 4), size);
        // 8 bits, indexed colour, deflate, adaptive filters, no interlace.
        EXPECT_EQ(Bytes(header.begin() + 8, header.end()), (Bytes{8, 3, 0, 0, 0}));
        ASSERT_EQ(palette.size() % 3, 0u);
        Bytes rows;
        ASSERT_NO_FATAL_FAILURE(InflateStored(png["IDAT"], rows));
        ASSERT_EQ(rows.size(), size * (size + 1));
        int wrong = 0;
        for (uint32_t y = 0; y < size; ++y) {
            const size_t row = y * (size + 1);
            EXPECT_EQ(rows[row], 0) << "row " << y << " is filtered";
            for (uint32_t x = 0; x < size; ++x) {
                const size_t index = rows[row + 1 + x];
                ASSERT_LT(index * 3 + 2, palette.size());
                const uint32_t shown = (uint32_t{palette[index * 3]} << 16) |
                                       (uint32_t{palette[index * 3 + 1]} << 8) |
                                       palette[index * 3 + 2];
                const uint8_t carried = icon.pixels[(y * 32 / size) * 32 + x * 32 / size];
                wrong += shown == (icon.colours[carried] & 0xFFFFFF) ? 0 : 1;
            }
        }
        EXPECT_EQ(wrong, 0) << "pixels unlike the icon's";
    }
}

#endif

}  // namespace
