// The frames of one scripted run of the whole program on the headless
// host, for telling whether two builds (Linux, Windows, browser) show the same
// game: the same start tick seeds the pieces, the same keys steer them.
//
//   frame_dump record FILE  plays the run, writes its frames to FILE
//   frame_dump check FILE   plays the run, says whether it showed FILE's frames
//
// A frame is written as the display had it: number (flips so far), tick,
// phase, size and palette, then its pixels as runs of unchanged and changed
// ones against the frame before, the changed ones as they are. Nothing in the
// writing varies, so two runs showed the same frames exactly when they wrote
// the same bytes, and the check compares bytes.
//
// Run it in a run folder: the game reads its data files there.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/picture_file.h"
#include "tests/support/program_run.h"

namespace {

namespace headless = platform::headless;
using Bytes = std::vector<uint8_t>;

void PutNumber(Bytes& out, uint64_t number) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<uint8_t>(number >> shift));
    }
}

// Mostly a frame repeats the one before (kept in previous), so only the
// pixels that changed are written.
Bytes Encode(const headless::Frame& shown, test_support::Phase phase, Bytes& previous) {
    Bytes out;
    PutNumber(out, headless::FramesPresented());
    PutNumber(out, shown.tick);
    out.push_back(static_cast<uint8_t>(phase));
    PutNumber(out, static_cast<uint32_t>(shown.width));
    PutNumber(out, static_cast<uint32_t>(shown.height));
    for (const platform::PaletteEntry& entry : shown.palette) {
        out.insert(out.end(), {entry.red, entry.green, entry.blue, entry.flags});
    }
    const Bytes& pixels = shown.pixels;
    previous.resize(pixels.size());
    for (size_t at = 0; at < pixels.size();) {
        const size_t unchanged = at;
        while (at < pixels.size() && pixels[at] == previous[at]) {
            ++at;
        }
        const size_t changed = at;
        while (at < pixels.size() && pixels[at] != previous[at]) {
            ++at;
        }
        PutNumber(out, changed - unchanged);
        PutNumber(out, at - changed);
        out.insert(out.end(), pixels.begin() + static_cast<std::ptrdiff_t>(changed),
                   pixels.begin() + static_cast<std::ptrdiff_t>(at));
    }
    previous = pixels;
    return out;
}

// Title, play that steers, turns, drops and pauses, and the end screen; long
// enough for rows to fill and a game or two to end. Returns the exit status.
int PlayTheRun(const std::string& mode, const char* fileName) {
    const Bytes recorded = mode == "check" ? test_support::ReadWholeFile(fileName) : Bytes{};
    std::FILE* out = mode == "record" ? std::fopen(fileName, "wb") : nullptr;
    bool written = out != nullptr;
    size_t offset = 0;  // bytes of frames so far
    Bytes previous;
    std::string difference;  // the first frame unlike the recorded run's
    test_support::Script script = test_support::ShortRun();
    script.playReads = 900;
    script.startTick = 73'421;
    script.onFrame = [&](const headless::Frame& shown, test_support::Phase phase) {
        const Bytes frame = Encode(shown, phase, previous);
        if (out != nullptr) {
            written = written && std::fwrite(frame.data(), 1, frame.size(), out) == frame.size();
        } else if (difference.empty() &&
                   (recorded.size() - offset < frame.size() ||
                    !std::equal(frame.begin(), frame.end(),
                                recorded.begin() + static_cast<std::ptrdiff_t>(offset)))) {
            difference = "frame " + std::to_string(headless::FramesPresented()) + " (tick " +
                         std::to_string(shown.tick) + ") is not the recorded run's";
        }
        offset += frame.size();
    };
    const test_support::Outcome outcome = test_support::RunProgram(script);
    written = out != nullptr && std::fclose(out) == 0 && written;
    const auto [title, play, end] = outcome.frames;
    std::printf("%lld frames (title %lld, play %lld, end %lld), exit code %d\n",
                static_cast<long long>(title + play + end), static_cast<long long>(title),
                static_cast<long long>(play), static_cast<long long>(end), outcome.exitCode);
    if (outcome.exitCode != 0 || outcome.overran || play == 0 || end == 0) {
        std::fprintf(stderr, "the run did not go from the title through play to the end\n");
        return 1;
    }
    if (mode == "record") {
        if (!written) {
            std::fprintf(stderr, "cannot write %s\n", fileName);
        }
        return written ? 0 : 1;
    }
    if (difference.empty() && offset != recorded.size()) {
        difference = "the recorded run (" + std::string(fileName) + ") shows more frames";
    }
    std::printf("%s\n", difference.empty() ? "the same frames, every pixel and palette entry"
                                           : difference.c_str());
    return difference.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc == 3 ? argv[1] : "";
    if (mode != "record" && mode != "check") {
        std::fprintf(stderr, "usage: frame_dump record FILE | frame_dump check FILE\n");
        return 2;
    }
    return PlayTheRun(mode, argv[2]);
}
