// Removing the full rows after a landing, with and without the crunch.
#include <gtest/gtest.h>

#include <vector>

#include "audio/sound.h"
#include "platform/headless/control.h"
#include "rules/score.h"
#include "rules_test_helpers.h"

namespace {

using namespace rules_test;

// Row r holds the value r % 7 + 1 with a gap in column r % 10, so every row
// can be told apart after it has moved; the listed rows are then filled.
Board RowsWithFull(const std::vector<int32_t>& full) {
    Board cells{};
    for (int32_t row = 0; row < kBoardRows; ++row) {
        for (int32_t column = 0; column < kBoardColumns; ++column) {
            CellAt(cells, row, column) = static_cast<int16_t>(row % 7 + 1);
        }
        CellAt(cells, row, row % kBoardColumns) = 0;
    }
    for (int32_t row : full) {
        CellAt(cells, row, row % kBoardColumns) = 9;
    }
    return cells;
}

// Rows 0 to lastRow of before dropped by the given number of rows, with
// nothing above them.
Board Dropped(const Board& before, int32_t lastRow, int32_t by) {
    Board cells{};
    for (int32_t row = 0; row <= lastRow; ++row) {
        for (int32_t column = 0; column < kBoardColumns; ++column) {
            CellAt(cells, row + by, column) = before[row * kBoardColumns + column];
        }
    }
    return cells;
}

// Finds the full rows and removes them as a landing does.
void RemoveAllFull(Board& cells) {
    FullRows fullRows{};
    int32_t count = 0;
    ASSERT_TRUE(FindFullRows(cells, fullRows, count));
    RemoveFullRows(count, fullRows, cells);
}

class RowRemovalTest : public ::testing::Test {
protected:
    void SetUp() override { crunchSound = nullptr; }
};

TEST_F(RowRemovalTest, FourBottomRowsGoAndTheStackDropsByFour) {
    const Board before = RowsWithFull({19, 20, 21, 22});
    Board cells = before;
    RemoveAllFull(cells);
    EXPECT_EQ(cells, Dropped(before, 18, 4));
}

TEST_F(RowRemovalTest, RowsApartAreEachRemovedWhereTheyHaveMovedTo) {
    // 22 goes first; the old 20 has then dropped to 21 and goes next.
    const Board before = RowsWithFull({20, 22});
    Board cells = before;
    RemoveAllFull(cells);
    Board expected = Dropped(before, 19, 2);
    for (int32_t column = 0; column < kBoardColumns; ++column) {
        CellAt(expected, 22, column) = before[21 * kBoardColumns + column];
    }
    EXPECT_EQ(cells, expected);
}

TEST_F(RowRemovalTest, AFullTopRowIsOnlyEmptied) {
    const Board before = RowsWithFull({0});
    Board cells = before;
    RemoveAllFull(cells);
    Board expected = before;
    for (int32_t column = 0; column < kBoardColumns; ++column) {
        CellAt(expected, 0, column) = 0;
    }
    EXPECT_EQ(cells, expected);
}

TEST_F(RowRemovalTest, OnlyTheListedEntriesAreTouched) {
    Board cells = RowsWithFull({3, 12, 17});
    FullRows fullRows;
    fullRows.fill(-7);
    int32_t count = 0;
    ASSERT_TRUE(FindFullRows(cells, fullRows, count));
    ASSERT_EQ(count, 3);
    RemoveFullRows(count, fullRows, cells);
    // Each entry was raised by how far it had dropped when its turn came.
    EXPECT_EQ(fullRows[0], 5);
    EXPECT_EQ(fullRows[1], 13);
    EXPECT_EQ(fullRows[2], 17);
    for (size_t i = 3; i < fullRows.size(); ++i) {
        EXPECT_EQ(fullRows[i], -7);
    }
}

// A crunch of a few hundred distinct samples, loaded as the game loads it but
// with two copies, so that a second play during one removal would be heard
// layered over the first.
class CrunchTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::headless::Reset();
        ASSERT_EQ(InitSoundDevice(), 1);
        for (size_t i = 0; i < samples.size(); ++i) {
            samples[i] = static_cast<uint8_t>(128 + (i % 32) - 16);
        }
        crunchSound = new Sound();
        const auto size = static_cast<int32_t>(samples.size());
        ASSERT_EQ(crunchSound->CreateBuffer(size, 2), 1);
        ASSERT_EQ(crunchSound->Fill(samples.data(), size), 1);
        ASSERT_EQ(crunchSound->MakeCopies(2), 1);
    }
    void TearDown() override {
        ReleaseSounds();
        ReleaseSoundDevice();
    }

    static std::vector<uint8_t> Pull(size_t count) {
        std::vector<uint8_t> out(count);
        platform::headless::PullAudio(out.data(), static_cast<uint32_t>(count));
        return out;
    }

    std::vector<uint8_t> samples = std::vector<uint8_t>(400);
};

TEST_F(CrunchTest, EveryRemovalPlaysTheCrunchOnceThroughToItsEnd) {
    for (const std::vector<int32_t>& full :
         std::vector<std::vector<int32_t>>{{22}, {19, 20, 21, 22}}) {
        Board cells = RowsWithFull(full);
        RemoveAllFull(cells);
        EXPECT_EQ(Pull(samples.size()), samples);
        EXPECT_EQ(Pull(100), std::vector<uint8_t>(100, 128));
    }
}

}  // namespace
