// Whatever lies in the player's data folder, the game runs from the title to
// the end screen: a damaged picture or sound only degrades what is shown or
// heard. Every data file is damaged in every way that fits its kind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/keys.h"
#include "tests/reliability/damaged_files.h"
#include "tests/reliability/program_driver.h"

namespace reliability {
namespace {

struct Case {
    const char* file;
    const Damage* damage;
};

std::vector<Case> AllCases() {
    std::vector<Case> cases;
    for (const Damage& damage : AllDamage()) {
        if ((damage.kinds & kPicture) != 0) {
            for (const char* file : kPictureFiles) {
                cases.push_back({file, &damage});
            }
        }
        if ((damage.kinds & kSound) != 0) {
            for (const char* file : kSoundFiles) {
                cases.push_back({file, &damage});
            }
        }
    }
    return cases;
}

std::string CaseName(const testing::TestParamInfo<Case>& named) {
    std::string name = std::string(named.param.file) + "_" + named.param.damage->name;
    for (char& c : name) {
        if (c == '.') {
            c = '_';
        }
    }
    return name;
}

// Steers, turns and drops, and pauses once for a few reads.
Keys SomePlay(int64_t read) {
    using namespace platform;
    if (read == 30 || read == 36) {
        return {DIK_RETURN};
    }
    static const Keys pattern[] = {{DIK_DOWN}, {}, {DIK_LEFT},  {}, {DIK_SPACE},
                                   {DIK_DOWN}, {}, {DIK_RIGHT}, {}, {DIK_DOWN}};
    return pattern[read % 10];
}

Script PlayBriefly() {
    Script script;
    script.playKeys = SomePlay;
    script.playReads = 120;
    return script;
}

void ExpectWholeRun(const Outcome& outcome, const Script& script) {
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_FALSE(outcome.overran) << "the game stopped reacting to the keys";
    EXPECT_GT(outcome.frames[static_cast<size_t>(Phase::Title)], 0);
    EXPECT_GE(outcome.reads[static_cast<size_t>(Phase::Play)], script.playReads);
    EXPECT_GT(outcome.frames[static_cast<size_t>(Phase::Play)], 0);
    EXPECT_GT(outcome.frames[static_cast<size_t>(Phase::End)], 0);
    // A data file is no device: nothing is reported.
    EXPECT_EQ(outcome.stderrText, "");
    EXPECT_EQ(outcome.leftAlive, "") << "left alive after the run";
}

class BadDataFile : public testing::TestWithParam<Case> {};

TEST_P(BadDataFile, TheGameStillRunsFromTitleToEndScreen) {
    const Case& c = GetParam();
    const Bytes good = ScratchFolder::GoodBytes(c.file);
    ScratchFolder folder;
    if (c.damage->folder) {
        folder.MakeFolder(c.file);
    } else if (auto damaged = c.damage->make(good)) {
        folder.Write(c.file, *damaged);
    } else {
        folder.Remove(c.file);
    }

    const Script script = PlayBriefly();
    ExpectWholeRun(RunProgram(script), script);
}

INSTANTIATE_TEST_SUITE_P(EveryFileEveryDamage, BadDataFile, testing::ValuesIn(AllCases()),
                         CaseName);

// The script itself: with every file whole, the same run goes the same way.
TEST(BadDataControl, WithEveryFileWholeTheScriptedRunCompletes) {
    ScratchFolder folder;
    const Script script = PlayBriefly();
    ExpectWholeRun(RunProgram(script), script);
}

TEST(BadDataControl, WithNoDataFilesAtAllTheGameStillRuns) {
    ScratchFolder folder;
    for (const char* name : kPictureFiles) {
        folder.Remove(name);
    }
    for (const char* name : kSoundFiles) {
        folder.Remove(name);
    }
    const Script script = PlayBriefly();
    ExpectWholeRun(RunProgram(script), script);
}

}  // namespace
}  // namespace reliability
