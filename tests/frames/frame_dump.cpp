// The frames of one scripted run of the whole program on the headless
// host, for telling whether two builds (Linux, Windows, browser) show the same
// game: the same start tick seeds the pieces, the same keys steer them.
//
//   frame_dump record FILE        plays the run, writes its frames to FILE
//   frame_dump compare FILE FILE  says whether two runs showed the same frames
//
// Run it in a run folder: the game reads its data files there.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/frames/frame_file.h"
#include "tests/support/program_run.h"

namespace {

namespace headless = platform::headless;
using test_support::Phase;

// Title, play that steers, turns, drops and pauses, and the end screen; long
// enough for rows to fill and a game or two to end.
test_support::Script TheRun() {
    test_support::Script script = test_support::ShortRun();
    script.playReads = 900;
    script.startTick = 73'421;
    return script;
}

int Record(const char* fileName) {
    std::FILE* out = std::fopen(fileName, "wb");
    if (out == nullptr) {
        std::fprintf(stderr, "cannot write %s\n", fileName);
        return 1;
    }
    frame_file::Writer writer(out);
    test_support::Script script = TheRun();
    script.onFrame = [&writer](const headless::Frame& shown, Phase phase) {
        frame_file::Frame frame;
        frame.number = static_cast<uint32_t>(headless::FramesPresented());
        frame.tick = shown.tick;
        frame.phase = static_cast<uint8_t>(phase);
        frame.width = shown.width;
        frame.height = shown.height;
        for (const platform::PaletteEntry& entry : shown.palette) {
            frame.palette.insert(frame.palette.end(),
                                 {entry.red, entry.green, entry.blue, entry.flags});
        }
        frame.pixels = shown.pixels;
        writer.Add(frame);
    };
    const test_support::Outcome outcome = test_support::RunProgram(script);
    const bool written = writer.Ok() && std::fclose(out) == 0;
    const auto [title, play, end] = outcome.frames;
    std::printf("%lld frames (title %lld, play %lld, end %lld), exit code %d\n",
                static_cast<long long>(title + play + end), static_cast<long long>(title),
                static_cast<long long>(play), static_cast<long long>(end), outcome.exitCode);
    if (!written) {
        std::fprintf(stderr, "cannot write %s\n", fileName);
        return 1;
    }
    if (outcome.exitCode != 0 || outcome.overran || play == 0 || end == 0) {
        std::fprintf(stderr, "the run did not go from the title through play to the end\n");
        return 1;
    }
    return 0;
}

std::vector<uint8_t> ReadBytes(const char* fileName) {
    std::ifstream in(fileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Where two frames first differ, in words.
std::string FirstDifference(const frame_file::Frame& a, const frame_file::Frame& b) {
    if (a.width != b.width || a.height != b.height) {
        return "sizes " + std::to_string(a.width) + "x" + std::to_string(a.height) + " and " +
               std::to_string(b.width) + "x" + std::to_string(b.height);
    }
    if (a.number != b.number || a.tick != b.tick || a.phase != b.phase) {
        return "ticks " + std::to_string(a.tick) + " and " + std::to_string(b.tick) + ", phases " +
               std::to_string(a.phase) + " and " + std::to_string(b.phase);
    }
    if (const auto at = std::mismatch(a.palette.begin(), a.palette.end(), b.palette.begin()).first;
        at != a.palette.end()) {
        return "palette entry " + std::to_string((at - a.palette.begin()) / 4);
    }
    const auto [at, other] = std::mismatch(a.pixels.begin(), a.pixels.end(), b.pixels.begin());
    if (at == a.pixels.end()) {
        return "";
    }
    const auto i = static_cast<size_t>(at - a.pixels.begin()), width = static_cast<size_t>(a.width);
    return "pixel (" + std::to_string(i % width) + ", " + std::to_string(i / width) +
           "): " + std::to_string(*at) + " and " + std::to_string(*other);
}

int Compare(const char* first, const char* second) {
    const auto a = frame_file::ReadAll(ReadBytes(first));
    const auto b = frame_file::ReadAll(ReadBytes(second));
    if (!a || !b || a->empty()) {
        std::fprintf(stderr, "%s is not a file of frames\n", !a || a->empty() ? first : second);
        return 1;
    }
    const size_t common = std::min(a->size(), b->size());
    for (size_t i = 0; i < common; ++i) {
        const std::string difference = FirstDifference((*a)[i], (*b)[i]);
        if (!difference.empty()) {
            std::printf("frame %u (tick %u) differs: %s\n", (*a)[i].number, (*a)[i].tick,
                        difference.c_str());
            return 1;
        }
    }
    if (a->size() != b->size()) {
        std::printf("the same first %zu frames, then one run shows %zu and the other %zu\n", common,
                    a->size(), b->size());
        return 1;
    }
    // The same frames are written as the same bytes; anything else is a fault
    // of the writer.
    if (ReadBytes(first) != ReadBytes(second)) {
        std::printf("the same frames, written differently\n");
        return 1;
    }
    std::printf("the same %zu frames, every pixel and palette entry\n", common);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "record") == 0) {
        return Record(argv[2]);
    }
    if (argc == 4 && std::strcmp(argv[1], "compare") == 0) {
        return Compare(argv[2], argv[3]);
    }
    std::fprintf(stderr, "usage: frame_dump record FILE | frame_dump compare FILE FILE\n");
    return 2;
}
