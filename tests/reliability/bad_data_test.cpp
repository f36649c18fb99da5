// Whatever lies in the data folder, the game runs from the title to the end
// screen: a damaged picture or sound only costs what is shown or heard.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>

#include "tests/support/program_run.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

const char* const kFiles[] = {"menu1.bmp", "cubeshards2.bmp", "score.bmp",  "start.bmp",
                              "end.bmp",   "techno.wav",      "crunch.wav", "superhappy.wav"};

// A fresh working folder where each data file but the one left out ("every":
// all) is a link to (or copy of) the good one.
class ScratchFolder {
public:
    explicit ScratchFolder(const char* left) : before_(fs::current_path()) {
        folder_ = test_support::MakeScratchFolder("stackwell-data");
        for (const char* file : kFiles) {
            if (std::string_view(left) != "every" && std::string_view(file) != left) {
                test_support::LinkOrCopy(before_ / file, folder_ / file);
            }
        }
        fs::current_path(folder_);
    }
    ~ScratchFolder() {
        fs::current_path(before_);
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
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

constexpr size_t kRows = 1078;  // where a picture's rows begin, after its palette

// Every way a picture or sound file is damaged, by name; no bytes: no file. A wave
// file as the build makes it has "fmt " at 12, "data" at 36, samples at 44.
std::vector<std::pair<std::string, std::optional<Bytes>>> Damaged(const Bytes& g, bool picture) {
    std::vector<std::pair<std::string, std::optional<Bytes>>> copies = {
        {"missing", std::nullopt}, {"empty", Bytes{}}, {"noise", Noise(g.size())}};
    const auto add = [&copies](const std::string& name, Bytes bytes) {
        copies.emplace_back(name, bytes);
    };
    if (picture) {
        for (size_t cut : {size_t{1}, size_t{9}, size_t{30}, size_t{54 + 513}, kRows,
                           (g.size() + kRows) / 2 + 1}) {
            add("cut at " + std::to_string(cut), Cut(g, cut));
        }
        add("4 bits", Splice(g, 28, 1, {4}));
        add("24 bits", Splice(g, 28, 1, {24}));
        const int64_t sizes[] = {640,       -480,      -640,      480,       0,    480,  640,  0,
                                 INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN, 4096, 4096, 4000, 1};
        for (size_t i = 0; i < std::size(sizes); i += 2) {
            add("size " + std::to_string(sizes[i]) + " x " + std::to_string(sizes[i + 1]),
                WithSize(g, static_cast<uint32_t>(sizes[i]), static_cast<uint32_t>(sizes[i + 1])));
        }
        add("tiny", WithSize(Splice(g, kRows, g.size() - kRows, {0, 1, 2, 0, 1, 1, 2, 0}), 3, 2));
        return copies;
    }
    for (size_t cut : {size_t{1}, size_t{10}, size_t{28}, size_t{36}, (g.size() + 44) / 2}) {
        add("cut at " + std::to_string(cut), Cut(g, cut));
    }
    const uint32_t fields[][2] = {
        {4, 4}, {4, 0xffffffff}, {40, 0}, {40, 0x7fffffff}, {40, 0xffffffff}};
    for (const auto& [at, value] : fields) {
        add("size at " + std::to_string(at) + " " + std::to_string(value), Put32(g, at, value));
    }
    const Bytes oddChunks = {'L', 'I', 'S', 'T', 5,   0, 0, 0, 'I', 'N', 'F', 'O', 'x',
                             0,   'j', 'u', 'n', 'k', 3, 0, 0, 0,   1,   2,   3,   0};
    add("not RIFF", Splice(g, 3, 1, {'X'}));
    add("not WAVE", Splice(g, 8, 4, {'A', 'V', 'I', ' '}));
    add("compressed", Splice(g, 20, 1, {2}));
    add("stereo 16 bit 44100",
        Splice(g, 20, 16, {1, 0, 2, 0, 0x44, 0xAC, 0, 0, 0x10, 0xB1, 2, 0, 4, 0, 16, 0}));
    add("short format chunk", Splice(g, 16, 20, {2, 0, 0, 0, 1, 0}));
    add("no format chunk", Splice(g, 12, 24));
    add("empty data", Put32(Cut(g, 44), 40, 0));
    add("odd chunks before the data", Splice(g, 36, 0, oddChunks));
    add("odd chunk without its pad", Splice(g, 36, 0, Cut(Splice(oddChunks, 0, 14), 11)));
    add("chunk size beyond the file",
        Splice(g, 36, 0, {'j', 'u', 'n', 'k', 0xf0, 0xff, 0xff, 0xff, 1, 2}));
    add("data before format",
        Splice(Splice(g, 12, 24), g.size() - 24, 0, Bytes(g.begin() + 12, g.begin() + 36)));
    return copies;
}

// The line that tells the player about a data file the game cannot use.
constexpr std::string_view kReportEnd = " (the data files are read from the working directory)\n";
std::string ReportStart(const char* file) {
    return "stackwell: cannot read " + std::string(file) + " in " + fs::current_path().string() +
           ": ";
}
std::string Report(const char* file, const std::string& reason) {
    return ReportStart(file) + reason + std::string(kReportEnd);
}

// The run goes through; standard error holds a line for the damaged file, the
// expected one when the reason is known, or none when the file could still be
// used (a picture cut short shows black rows). Where the file is "every
// file", every one has its line.
void ExpectWholeRun(const char* file, const char* damage, const char* reason = nullptr) {
    SCOPED_TRACE(std::string(file) + " " + damage);
    const test_support::Script script = test_support::ShortRun();
    test_support::Outcome outcome = test_support::RunProgram(script);
    if (std::string_view(file) == "every file") {
        for (const char* each : kFiles) {
            EXPECT_NE(outcome.stderrText.find(Report(each, reason)), std::string::npos) << each;
        }
        EXPECT_EQ(std::count(outcome.stderrText.begin(), outcome.stderrText.end(), '\n'),
                  std::ssize(kFiles));
    } else if (reason != nullptr) {
        EXPECT_EQ(outcome.stderrText, Report(file, reason));
    } else if (!outcome.stderrText.empty()) {
        const std::string_view line = outcome.stderrText;
        EXPECT_TRUE(line.starts_with(ReportStart(file)) && line.ends_with(kReportEnd) &&
                    std::count(line.begin(), line.end(), '\n') == 1)
            << line;
    }
    outcome.stderrText.clear();
    test_support::ExpectRunThrough(outcome, script);
    EXPECT_TRUE(
        std::all_of(outcome.frames.begin(), outcome.frames.end(), [](int64_t n) { return n > 0; }));
}

TEST(BadData, EachFileDamagedInEveryWayOrAFolderOrNoFilesAtAllStillLetTheGameRunThrough) {
    for (const char* file : kFiles) {
        std::ifstream good(file, std::ios::binary);
        const Bytes bytes((std::istreambuf_iterator<char>(good)), {});
        ASSERT_GT(bytes.size(), kRows);
        for (const auto& [damage, copy] :
             Damaged(bytes, std::string_view(file).ends_with(".bmp"))) {
            ScratchFolder folder(file);
            if (copy) {
                std::ofstream(file, std::ios::binary)
                    .write(reinterpret_cast<const char*>(copy->data()),
                           static_cast<std::streamsize>(copy->size()));
            }
            ExpectWholeRun(file, damage.c_str(), copy ? nullptr : "no such file");
        }
        ScratchFolder folder(file);
        fs::create_directory(file);
        ExpectWholeRun(file, "folder", "it is a folder, not a file");
    }
    ScratchFolder folder("every");
    ExpectWholeRun("every file", "missing", "no such file");
}

// A named pipe is refused without waiting for a writer, and a file of 4 GiB of
// zeros (which takes no room on disk) is refused or searched no further than
// its first chunks: either would have held up the run before the title, on
// "Loading..." or before the end screen.
TEST(BadData, ANamedPipeOrFourGibibytesOfZerosInPlaceOfAnyFileLetTheGameRunThrough) {
    for (const char* file : kFiles) {
        const bool picture = std::string_view(file).ends_with(".bmp");
        if (test_support::CanMakeNamedPipes()) {
            ScratchFolder folder(file);
            ASSERT_TRUE(test_support::MakeNamedPipe(file));
            ExpectWholeRun(file, "named pipe", "not a regular file");
        }
        ScratchFolder folder(file);
        std::ofstream(file, std::ios::binary).close();
        fs::resize_file(file, uint64_t{4} << 30);
        ExpectWholeRun(file, "4 GiB of zeros",
                       picture ? "not a picture of 256 colours"
                               : "larger than 64 MiB, far more than any sound of the game");
    }
}

}  // namespace
