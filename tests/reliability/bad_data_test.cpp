// Whatever lies in the data folder, the game runs from the title to the end
// screen: a damaged picture or sound only costs what is shown or heard.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "tests/support/program_run.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

const char* const kFiles[] = {"menu1.bmp", "cubeshards2.bmp", "score.bmp",  "start.bmp",
                              "end.bmp",   "techno.wav",      "crunch.wav", "superhappy.wav"};

// A fresh working folder where each data file but the one left out ("every":
// all) is a link to (or copy of) the good one.
struct ScratchFolder : test_support::WorkingScratchFolder {
    explicit ScratchFolder(const char* left) : WorkingScratchFolder("stackwell-data") {
        for (const char* file : kFiles) {
            if (std::string_view(left) != "every" && std::string_view(file) != left) {
                test_support::LinkOrCopy(before / file, folder / file);
            }
        }
    }
};

Bytes Put32(Bytes bytes, size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) {
        bytes.at(at + i) = static_cast<uint8_t>(value >> (8 * i));
    }
    return bytes;
}
// Takes out count bytes at at and puts the given ones in their place.
Bytes Splice(Bytes bytes, size_t at, size_t count, const Bytes& put = {}) {
    const auto where = bytes.begin() + static_cast<std::ptrdiff_t>(at);
    bytes.insert(bytes.erase(where, where + static_cast<std::ptrdiff_t>(count)), put.begin(),
                 put.end());
    return bytes;
}

constexpr size_t kRows = 1078;  // where a picture's rows begin, after its palette

// Ways a picture or sound file is damaged, by name: mostly ones its reader
// still takes, or sizes that lie (a file the reader refuses costs what a
// missing one does; the readers' own tests refuse many more). A wave file as
// the build makes it has "fmt " at 12, "data" at 36, samples at 44.
std::vector<std::pair<std::string, Bytes>> Damaged(const Bytes& g, bool picture) {
    std::vector<std::pair<std::string, Bytes>> copies = {{"empty", {}}};
    const size_t cuts[] = {1, 30, picture ? kRows : 36, (g.size() + kRows) / 2 + 1};
    for (size_t cut : cuts) {
        copies.emplace_back("cut at " + std::to_string(cut), Splice(g, cut, g.size() - cut));
    }
    if (picture) {
        const uint32_t sizes[][2] = {{0x7FFFFFFF, 0x7FFFFFFF}, {4096, 4096}, {4000, 1}};
        for (const auto& [width, height] : sizes) {
            copies.emplace_back("size " + std::to_string(width) + " x " + std::to_string(height),
                                Put32(Put32(g, 18, width), 22, height));
        }
        copies.emplace_back(
            "tiny",
            Put32(Put32(Splice(g, kRows, g.size() - kRows, {0, 1, 2, 0, 1, 1, 2, 0}), 18, 3), 22,
                  2));
        return copies;
    }
    copies.emplace_back("form size 4 GiB", Put32(g, 4, 0xffffffffu));
    copies.emplace_back("data size 2 GiB", Put32(g, 40, 0x7fffffffu));
    copies.emplace_back("odd chunk without its pad",
                        Splice(g, 36, 0, {'j', 'u', 'n', 'k', 3, 0, 0, 0, 1, 2, 3}));
    copies.emplace_back("chunk size beyond the file",
                        Splice(g, 36, 0, {'j', 'u', 'n', 'k', 0xf0, 0xff, 0xff, 0xff, 1, 2}));
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
    if (!test_support::kStandardErrorSeen) {
        // The runs are checked all the same; only their words are not seen.
    } else if (std::string_view(file) == "every file") {
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

// Also a folder, a named pipe (refused without waiting for a writer) and a
// file of 4 GiB of zeros (which takes no room on disk; refused or searched no
// further than its first chunks): either would have held up the run before
// the title, on "Loading..." or before the end screen.
TEST(BadData, EachFileDamagedOrMissingOrNoFilesAtAllStillLetTheGameRunThrough) {
    for (const char* file : kFiles) {
        const bool picture = std::string_view(file).ends_with(".bmp");
        std::ifstream good(file, std::ios::binary);
        const Bytes bytes((std::istreambuf_iterator<char>(good)), {});
        ASSERT_GT(bytes.size(), kRows);
        for (const auto& [damage, copy] : Damaged(bytes, picture)) {
            ScratchFolder folder(file);
            std::ofstream(file, std::ios::binary)
                .write(reinterpret_cast<const char*>(copy.data()),
                       static_cast<std::streamsize>(copy.size()));
            ExpectWholeRun(file, damage.c_str());
        }
        {
            ScratchFolder folder(file);
            ExpectWholeRun(file, "missing", "no such file");
            fs::create_directory(file);
            ExpectWholeRun(file, "folder", "it is a folder, not a file");
        }
#ifndef _WIN32  // Windows keeps its pipes apart from the file system
        {
            ScratchFolder folder(file);
            ASSERT_EQ(::mkfifo(file, 0600), 0);
            ExpectWholeRun(file, "named pipe", "not a regular file");
        }
#endif
        ScratchFolder folder(file);
        std::ofstream(file, std::ios::binary).close();
        fs::resize_file(file, uint64_t{4} << 30);
        ExpectWholeRun(file, "4 GiB of zeros",
                       picture ? "not a picture of 256 colours"
                               : "larger than 64 MiB, far more than any sound of the game");
    }
    ScratchFolder folder("every");
    ExpectWholeRun("every file", "missing", "no such file");
}

}  // namespace
