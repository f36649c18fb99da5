// The frames of one scripted run of the whole program on the headless host,
// for telling whether two builds (Linux, Windows, browser) show the same game:
// the same start tick seeds the pieces, the same keys steer them. Run it in a
// run folder, where the game reads its data files:
//   frame_dump record FILE  plays the run, writes its frames to FILE
//   frame_dump check FILE   plays the run, says whether it showed FILE's frames
// Nothing in the writing varies, so two runs showed the same frames exactly
// when they wrote the same bytes.
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

// A frame as the display had it: number (flips so far), tick, phase, size and
// palette, then its pixels as runs of unchanged and changed ones against the
// frame before (kept in previous), the changed ones as they are.
void Encode(const headless::Frame& shown, test_support::Phase phase, Bytes& previous, Bytes& out) {
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
}

}  // namespace

// Title, play that steers, turns, drops and pauses, and the end screen; long
// enough for rows to fill and a game or two to end.
int main(int argc, char** argv) {
    const std::string mode = argc == 3 ? argv[1] : "";
    if (mode != "record" && mode != "check") {
        std::fprintf(stderr, "usage: frame_dump record FILE | frame_dump check FILE\n");
        return 2;
    }
    Bytes frames, previous;
    std::vector<size_t> starts;  // where each frame begins in frames
    test_support::Script script = test_support::ShortRun();
    script.playReads = 900;
    script.startTick = 73'421;
    script.onFrame = [&](const headless::Frame& shown, test_support::Phase phase) {
        starts.push_back(frames.size());
        Encode(shown, phase, previous, frames);
    };
    const test_support::Outcome outcome = test_support::RunProgram(script);
    const auto [title, play, end] = outcome.frames;
    std::printf("%lld frames (title %lld, play %lld, end %lld), exit code %d\n",
                static_cast<long long>(title + play + end), static_cast<long long>(title),
                static_cast<long long>(play), static_cast<long long>(end), outcome.exitCode);
    if (outcome.exitCode != 0 || outcome.overran || play == 0 || end == 0) {
        std::fprintf(stderr, "the run did not go from the title through play to the end\n");
        return 1;
    }
    if (mode == "record") {
        std::FILE* out = std::fopen(argv[2], "wb");
        bool written =
            out != nullptr && std::fwrite(frames.data(), 1, frames.size(), out) == frames.size();
        written = out != nullptr && std::fclose(out) == 0 && written;
        if (!written) {
            std::fprintf(stderr, "cannot write %s\n", argv[2]);
        }
        return written ? 0 : 1;
    }
    const Bytes recorded = test_support::ReadWholeFile(argv[2]);
    const size_t same = static_cast<size_t>(
        std::mismatch(frames.begin(), frames.end(), recorded.begin(), recorded.end()).first -
        frames.begin());
    if (same == frames.size() && same == recorded.size()) {
        std::printf("the same frames, every pixel and palette entry\n");
        return 0;
    }
    if (same == frames.size()) {
        std::printf("the recorded run (%s) shows more frames\n", argv[2]);
    } else {  // counted from 1, as the display counts its flips
        const auto frame = std::upper_bound(starts.begin(), starts.end(), same) - starts.begin();
        std::printf("frame %lld is not the recorded run's\n", static_cast<long long>(frame));
    }
    return 1;
}
