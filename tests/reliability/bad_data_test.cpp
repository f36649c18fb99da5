// Whatever lies in the data folder, the game runs from the title to the end
// screen: a damaged picture or sound only costs what is shown or heard.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "tests/support/program_run.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

enum Kind { kPicture = 1, kSound = 2, kEither = 3 };
struct DataFile {
    const char* name;
    Kind kind;
};
const DataFile kFiles[] = {{"menu1.bmp", kPicture}, {"cubeshards2.bmp", kPicture},
                           {"score.bmp", kPicture}, {"start.bmp", kPicture},
                           {"end.bmp", kPicture},   {"techno.wav", kSound},
                           {"crunch.wav", kSound},  {"superhappy.wav", kSound}};

// A fresh working folder where each data file is a link to the good one.
class ScratchFolder {
public:
    ScratchFolder() : before_(fs::current_path()) {
        std::string pattern = fs::temp_directory_path() / "stackwell-data-XXXXXX";
        folder_ = ::mkdtemp(pattern.data());
        for (const DataFile& file : kFiles) {
            fs::create_symlink(before_ / file.name, folder_ / file.name);
        }
        fs::current_path(folder_);
    }
    ~ScratchFolder() {
        fs::current_path(before_);
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    void Remove(const char* name) { fs::remove(folder_ / name); }
    void Write(const char* name, const Bytes& bytes) {
        std::ofstream(folder_ / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }

private:
    fs::path before_, folder_;
};

Bytes Put32(Bytes bytes, size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) {
        bytes.at(at + i) = static_cast<uint8_t>(value >> (8 * i));
    }
    return bytes;
}
Bytes Cut(const Bytes& bytes, size_t length) {
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
}
// Takes out count bytes at at and puts the given ones in their place.
Bytes Splice(Bytes bytes, size_t at, size_t count, const Bytes& put = {}) {
    const auto where = bytes.begin() + static_cast<std::ptrdiff_t>(at);
    bytes.insert(bytes.erase(where, where + static_cast<std::ptrdiff_t>(count)), put.begin(),
                 put.end());
    return bytes;
}
Bytes WithSize(const Bytes& picture, uint32_t width, uint32_t height) {
    return Put32(Put32(picture, 18, width), 22, height);
}
Bytes Noise(size_t length) {
    std::mt19937 random(7);
    Bytes bytes(length);
    std::generate(bytes.begin(), bytes.end(), [&] { return static_cast<uint8_t>(random()); });
    return bytes;
}

using In = const Bytes&;
struct Damage {
    const char* name;
    int kinds;
    std::function<Bytes(const Bytes&)> make;  // none: the file is missing
};
constexpr size_t kRows = 1078;  // where a picture's rows begin, after its palette
// A wave file as the build makes it: "fmt " at 12, "data" at 36, samples at 44.
const Bytes kOddChunks = {'L', 'I', 'S', 'T', 5,   0, 0, 0, 'I', 'N', 'F', 'O', 'x',
                          0,   'j', 'u', 'n', 'k', 3, 0, 0, 0,   1,   2,   3,   0};

const Damage kDamage[] = {
    {"missing", kEither, nullptr},
    {"empty", kEither, [](In) { return Bytes{}; }},
    {"noise", kEither, [](In g) { return Noise(g.size()); }},
    {"one_byte", kEither, [](In g) { return Cut(g, 1); }},
    {"cut_in_file_header", kPicture, [](In g) { return Cut(g, 9); }},
    {"cut_in_info_header", kPicture, [](In g) { return Cut(g, 30); }},
    {"cut_in_palette", kPicture, [](In g) { return Cut(g, 54 + 513); }},
    {"cut_behind_palette", kPicture, [](In g) { return Cut(g, kRows); }},
    {"cut_in_rows", kPicture, [](In g) { return Cut(g, kRows + (g.size() - kRows) / 2 + 1); }},
    {"four_bit", kPicture, [](In g) { return Splice(g, 28, 1, {4}); }},
    {"twenty_four_bit", kPicture, [](In g) { return Splice(g, 28, 1, {24}); }},
    {"tiny_picture", kPicture,
     [](In g) {
         return WithSize(Splice(g, kRows, g.size() - kRows, {0, 1, 2, 0, 1, 1, 2, 0}), 3, 2);
     }},
    {"negative_height", kPicture,
     [](In g) { return WithSize(g, 640, static_cast<uint32_t>(-480)); }},
    {"negative_width", kPicture,
     [](In g) { return WithSize(g, static_cast<uint32_t>(-640), 480); }},
    {"zero_width", kPicture, [](In g) { return WithSize(g, 0, 480); }},
    {"zero_height", kPicture, [](In g) { return WithSize(g, 640, 0); }},
    {"absurd_size", kPicture, [](In g) { return WithSize(g, 0x7fffffff, 0x7fffffff); }},
    {"most_negative_size", kPicture, [](In g) { return WithSize(g, 0x80000000u, 0x80000000u); }},
    {"large_size_short_file", kPicture, [](In g) { return WithSize(g, 4096, 4096); }},
    {"one_long_row", kPicture, [](In g) { return WithSize(g, 4000, 1); }},
    {"cut_in_riff_header", kSound, [](In g) { return Cut(g, 10); }},
    {"cut_in_format", kSound, [](In g) { return Cut(g, 28); }},
    {"cut_in_samples", kSound, [](In g) { return Cut(g, 44 + (g.size() - 44) / 2); }},
    {"not_riff", kSound, [](In g) { return Splice(g, 3, 1, {'X'}); }},
    {"riff_not_wave", kSound,
     [](In g) {
         return Splice(g, 8, 4, {'A', 'V', 'I', ' '});
     }},
    {"compressed_format", kSound, [](In g) { return Splice(g, 20, 1, {2}); }},
    {"stereo_16_bit_44100", kSound,
     [](In g) {
         return Splice(g, 20, 16, {1, 0, 2, 0, 0x44, 0xAC, 0, 0, 0x10, 0xB1, 2, 0, 4, 0, 16, 0});
     }},
    {"short_format_chunk", kSound,
     [](In g) {
         return Splice(g, 16, 20, {2, 0, 0, 0, 1, 0});
     }},
    {"no_format_chunk", kSound, [](In g) { return Splice(g, 12, 24); }},
    {"no_data_chunk", kSound, [](In g) { return Cut(g, 36); }},
    {"zero_size_data", kSound, [](In g) { return Put32(g, 40, 0); }},
    {"empty_data", kSound, [](In g) { return Put32(Cut(g, 44), 40, 0); }},
    {"data_size_beyond_file", kSound, [](In g) { return Put32(g, 40, 0x7fffffff); }},
    {"data_size_all_ones", kSound, [](In g) { return Put32(g, 40, 0xffffffff); }},
    {"odd_chunks_before_data", kSound, [](In g) { return Splice(g, 36, 0, kOddChunks); }},
    {"odd_chunk_without_pad", kSound,
     [](In g) { return Splice(g, 36, 0, Cut(Splice(kOddChunks, 0, 14), 11)); }},
    {"chunk_size_beyond_file", kSound,
     [](In g) {
         return Splice(g, 36, 0, {'j', 'u', 'n', 'k', 0xf0, 0xff, 0xff, 0xff, 1, 2});
     }},
    {"riff_size_too_small", kSound, [](In g) { return Put32(g, 4, 4); }},
    {"riff_size_all_ones", kSound, [](In g) { return Put32(g, 4, 0xffffffff); }},
    {"data_before_format", kSound,
     [](In g) {
         return Splice(Splice(g, 12, 24), g.size() - 24, 0, Bytes(g.begin() + 12, g.begin() + 36));
     }},
};

void ExpectWholeRun(const char* file, const char* damage) {
    SCOPED_TRACE(std::string(file) + " " + damage);
    const test_support::Script script = test_support::ShortRun();
    const test_support::Outcome outcome = test_support::RunProgram(script);
    test_support::ExpectRunThrough(outcome, script);
    EXPECT_TRUE(std::ranges::all_of(outcome.frames, [](int64_t n) { return n > 0; }));
}

class BadData : public testing::TestWithParam<Damage> {};

TEST_P(BadData, EveryFileOfItsKindSoDamagedStillLetsTheGameRunThrough) {
    const Damage& damage = GetParam();
    for (const DataFile& file : kFiles) {
        if ((damage.kinds & file.kind) != 0) {
            std::ifstream good(file.name, std::ios::binary);
            const Bytes bytes((std::istreambuf_iterator<char>(good)), {});
            ScratchFolder folder;
            folder.Remove(file.name);
            if (damage.make) {
                folder.Write(file.name, damage.make(bytes));
            }
            ExpectWholeRun(file.name, damage.name);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryDamage, BadData, testing::ValuesIn(kDamage),
                         [](const testing::TestParamInfo<Damage>& damage) {
                             return damage.param.name;
                         });

TEST(BadData, AFolderInPlaceOfEachFileOrNoDataFilesAtAll) {
    for (const DataFile& file : kFiles) {
        ScratchFolder folder;
        folder.Remove(file.name);
        fs::create_directory(file.name);
        ExpectWholeRun(file.name, "folder");
    }
    ScratchFolder folder;
    for (const DataFile& file : kFiles) {
        folder.Remove(file.name);
    }
    ExpectWholeRun("every file", "missing");
}

}  // namespace
