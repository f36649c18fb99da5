#include "tests/reliability/soak.h"

#include <cstdlib>
#include <random>
#include <sstream>

#include "platform/keys.h"
#include "rules/board.h"
#include "rules/counters.h"
#include "tests/reliability/program_driver.h"
#include "tests/support/picture_file.h"
#include "tests/support/screen_check.h"

namespace reliability {
namespace {

using test_support::PictureFile;

constexpr int32_t kShownDigits = 9;
constexpr int32_t kScoreX = 555;  // units; each digit further left is 20 pixels on
constexpr int32_t kScoreY = 256;
constexpr int32_t kGamesLeftX = 473;
constexpr int32_t kGamesLeftY = 331;
constexpr int32_t kWellX = 190;
constexpr int32_t kWellY = 1;
constexpr int32_t kCell = 20;
// A move takes at most four cells off and puts at most four on.
constexpr int kMostCellsOneMoveChanges = 8;
constexpr size_t kMostProblemsPerRun = 5;

struct Pictures {
    PictureFile tiles = test_support::ReadPictureFile("cubeshards2.bmp");
    PictureFile digits = test_support::ReadPictureFile("score.bmp");
};

// The digit the frame shows at (left, top), or -1 when it shows none or more
// than one of them.
int32_t DigitShown(const platform::headless::Frame& frame, int32_t left, int32_t top,
                   const PictureFile& digits) {
    int32_t shown = -1;
    for (int32_t digit = 0; digit < 10; ++digit) {
        if (test_support::ShowsSprite(frame, left, top, digits, digit)) {
            if (shown >= 0) {
                return -1;
            }
            shown = digit;
        }
    }
    return shown;
}

int64_t Power(int64_t n) {
    int64_t result = 1;
    for (int64_t i = 0; i < n; ++i) {
        result *= n;
    }
    return result;
}

// Watches every frame of play of one run.
class PlayChecker {
public:
    PlayChecker(const Pictures& pictures, uint32_t seed, SoakReport& report)
        : pictures_(pictures), seed_(seed), report_(report), random_(~seed) {}

    void Check(const platform::headless::Frame& frame) {
        ++report_.playFrames;
        CheckCells();
        CheckWellAsDrawn(frame);
        const int64_t score = CheckScoreAsDrawn(frame);
        CheckGamesLeftAsDrawn(frame);
        CheckProgress(score);
        CheckOnePieceMoved();
        previousRowsLaid_ = rowsLaid_;
        if (rowsLaid_ == 0 && Chance(kFullRowsChance)) {
            LayFullRows();
        }
        previousBoard_ = board;
        previousGamesLeft_ = gamesLeft;
        previousRows_ = rowsCleared;
        previousScore_ = score;
        hasPrevious_ = true;
    }

private:
    // Random play seldom fills a row. Now and then full rows are laid in the
    // lowest empty rows of the well, for the next landing to clear and score.
    static constexpr uint32_t kFullRowsChance = 100;

    bool Chance(uint32_t oneIn) { return random_() % oneIn == 0; }

    static bool RowIsEmpty(int32_t row) {
        for (int32_t column = 0; column < kBoardColumns; ++column) {
            if (board[static_cast<size_t>(row * kBoardColumns + column)] != 0) {
                return false;
            }
        }
        return true;
    }

    void LayFullRows() {
        const auto rows = static_cast<int32_t>(1 + random_() % 4);
        int32_t emptyBelow = 0;  // empty rows in a row, counted upwards
        for (int32_t row = kBoardRows - 1; row >= 1; --row) {
            emptyBelow = RowIsEmpty(row) ? emptyBelow + 1 : 0;
            if (emptyBelow == rows) {
                for (int32_t cell = row * kBoardColumns; cell < (row + rows) * kBoardColumns;
                     ++cell) {
                    board[static_cast<size_t>(cell)] = static_cast<int16_t>(1 + random_() % 7);
                }
                rowsLaid_ = rows;
                return;
            }
        }
    }

    template <typename... Parts>
    void Problem(const Parts&... parts) {
        if (problemsThisRun_++ >= kMostProblemsPerRun) {
            return;
        }
        std::ostringstream text;
        text << "seed " << seed_ << ", play frame " << report_.playFrames << ": ";
        (text << ... << parts);
        report_.problems.push_back(text.str());
    }

    void CheckCells() {
        for (size_t i = 0; i < board.size(); ++i) {
            if (board[i] < 0 || board[i] > 7) {
                Problem("cell ", i, " holds ", board[i]);
            }
        }
    }

    void CheckWellAsDrawn(const platform::headless::Frame& frame) {
        for (int32_t row = 0; row < kBoardRows; ++row) {
            for (int32_t column = 0; column < kBoardColumns; ++column) {
                const int16_t value = board[static_cast<size_t>(row * kBoardColumns + column)];
                if (value >= 0 && value <= 7 &&
                    !test_support::ShowsSprite(frame, kWellX + kCell * column, kWellY + kCell * row,
                                               pictures_.tiles, value)) {
                    Problem("cell at row ", row, ", column ", column, " does not show tile ",
                            value);
                }
            }
        }
    }

    // The score as the frame shows it, or -1 when a digit is unreadable.
    int64_t CheckScoreAsDrawn(const platform::headless::Frame& frame) {
        int64_t score = 0;
        for (int32_t entry = kShownDigits - 1; entry >= 0; --entry) {
            const int32_t digit =
                DigitShown(frame, kScoreX - kCell * entry, kScoreY, pictures_.digits);
            if (digit < 0) {
                Problem("score digit ", entry, " shows no digit 0 to 9");
                return -1;
            }
            score = score * 10 + digit;
        }
        return score;
    }

    void CheckGamesLeftAsDrawn(const platform::headless::Frame& frame) {
        const int32_t shown = DigitShown(frame, kGamesLeftX, kGamesLeftY, pictures_.digits);
        if (gamesLeft < 1 || gamesLeft > 3 || shown != gamesLeft) {
            Problem("games left ", gamesLeft, " shown as ", shown);
        }
    }

    // Rows and score only grow, and a landing that clears n rows adds n to
    // the power n.
    void CheckProgress(int64_t score) {
        if (!hasPrevious_ || score < 0 || previousScore_ < 0) {
            return;
        }
        const int64_t rows = rowsCleared - previousRows_;
        // A landing piece spans at most four rows; laid rows add to them.
        if (rows > 0) {
            rowsLaid_ = 0;
        }
        if (rows < 0 || rows > 4 + previousRowsLaid_) {
            Problem("rows cleared went from ", previousRows_, " to ", rowsCleared);
            return;
        }
        const int64_t added = score - previousScore_;
        if (added != (rows == 0 ? 0 : Power(rows))) {
            Problem("score went from ", previousScore_, " to ", score, " with ", rows,
                    " rows cleared");
        }
        report_.rowsCleared += rows;
    }

    // Between two frames of one game with no rows cleared, only the falling
    // piece changes the well: a few cells, all that are newly taken taken by
    // one tile value.
    void CheckOnePieceMoved() {
        if (!hasPrevious_ || gamesLeft != previousGamesLeft_ || rowsCleared != previousRows_) {
            return;
        }
        int changed = 0;
        int16_t arrived = 0;
        for (size_t i = 0; i < board.size(); ++i) {
            if (board[i] == previousBoard_[i]) {
                continue;
            }
            ++changed;
            if (board[i] != 0) {
                if (arrived != 0 && board[i] != arrived) {
                    Problem("two pieces moved at once: tiles ", arrived, " and ", board[i]);
                }
                arrived = board[i];
            }
        }
        if (changed > kMostCellsOneMoveChanges) {
            Problem(changed, " cells changed between two frames");
        }
    }

    const Pictures& pictures_;
    uint32_t seed_;
    SoakReport& report_;
    std::mt19937 random_;
    int32_t rowsLaid_ = 0;  // full rows laid and not yet cleared
    int32_t previousRowsLaid_ = 0;
    size_t problemsThisRun_ = 0;
    bool hasPrevious_ = false;
    Board previousBoard_{};
    int32_t previousGamesLeft_ = 0;
    int32_t previousRows_ = 0;
    int64_t previousScore_ = 0;
};

// Random keys for play: mostly down, steering and turns, now and then two
// keys at once or the pause.
class RandomPlayer {
public:
    explicit RandomPlayer(uint32_t seed) : random_(seed) {}

    Keys At(int64_t /*read*/, SoakReport& report) {
        using namespace platform;
        const auto roll = static_cast<uint32_t>(random_() % 100);
        if (roll < 30) {
            return {DIK_DOWN};
        }
        if (roll < 45) {
            return {};
        }
        if (roll < 55) {
            return {DIK_LEFT};
        }
        if (roll < 65) {
            return {DIK_RIGHT};
        }
        if (roll < 75) {
            return {DIK_SPACE};
        }
        if (roll < 80) {
            return {DIK_LEFT, DIK_DOWN};
        }
        if (roll < 85) {
            return {DIK_RIGHT, DIK_SPACE};
        }
        if (roll < 87) {
            ++report.pauses;
            return {DIK_RETURN};
        }
        return {};
    }

    uint32_t Next(uint32_t below) { return static_cast<uint32_t>(random_() % below); }

private:
    std::mt19937 random_;
};

}  // namespace

SoakReport Soak(int64_t runs, uint32_t firstSeed) {
    const Pictures pictures;
    SoakReport report;
    for (int64_t run = 0; run < runs; ++run) {
        const uint32_t seed = firstSeed + static_cast<uint32_t>(run);
        RandomPlayer player(seed);
        PlayChecker checker(pictures, seed, report);

        Script script;
        script.startTick = 1000 + seed * 7919u;  // the game seeds its pieces from the clock
        script.titleReads = player.Next(6);
        script.endReads = player.Next(6);
        // One run in five ends with Escape somewhere in play; the others go
        // until their three games are over.
        script.playReads = player.Next(5) == 0 ? 50 + player.Next(3000) : 1'000'000;
        script.playKeys = [&](int64_t read) { return player.At(read, report); };
        script.onFrame = [&](const platform::headless::Frame& frame, Phase phase) {
            if (phase == Phase::Play) {
                checker.Check(frame);
            }
        };

        const Outcome outcome = RunProgram(script);
        ++report.runs;
        report.games += 3 - gamesLeft;
        if (outcome.exitCode != 0 || outcome.overran || !outcome.leftAlive.empty()) {
            std::ostringstream text;
            text << "seed " << seed << ": exit code " << outcome.exitCode
                 << (outcome.overran ? ", overran" : "") << ", left alive: " << outcome.leftAlive;
            report.problems.push_back(text.str());
        }
    }
    return report;
}

int64_t SoakRunsAskedFor(int64_t fallback) {
    const char* asked = std::getenv("STACKWELL_SOAK_RUNS");
    if (asked == nullptr || *asked == '\0') {
        return fallback;
    }
    return std::strtoll(asked, nullptr, 10);
}

}  // namespace reliability
