#include <gtest/gtest.h>

#include <cstring>
#include <new>

#include "rules/board.h"
#include "rules/piece.h"
#include "rules_test_helpers.h"

namespace {

using namespace rules_test;

bool SameBytes(const RotationState& a, const RotationState& b) {
    return std::memcmp(&a, &b, sizeof(RotationState)) == 0;
}

TEST(PieceTest, ANewPieceIsAllZero) {
    // Built over garbage so that a field left out of the constructor shows.
    alignas(Piece) unsigned char storage[sizeof(Piece)];
    std::memset(storage, 0x5a, sizeof storage);
    const Piece* piece = new (storage) Piece();
    EXPECT_EQ(piece->x, 0);
    EXPECT_EQ(piece->y, 0);
    EXPECT_EQ(piece->lastRotation, 0);
    EXPECT_EQ(piece->rotation, 0);
    const RotationState zero{};
    for (const RotationState& record : piece->rotations) {
        EXPECT_TRUE(SameBytes(record, zero));
    }
}

TEST(PieceTest, AssignCopiesPositionTurnAndEveryRecordInUse) {
    BuildShapeTable();
    for (int32_t shape = 0; shape < kShapeCount; ++shape) {
        SCOPED_TRACE(shape);
        Piece source = shapeTable[shape];
        source.x = 2;
        source.y = 11;
        source.rotation = source.lastRotation;
        Piece copy;
        copy.Assign(source);
        EXPECT_EQ(copy.x, 2);
        EXPECT_EQ(copy.y, 11);
        EXPECT_EQ(copy.lastRotation, source.lastRotation);
        EXPECT_EQ(copy.rotation, source.rotation);
        for (int32_t index = 0; index <= source.lastRotation; ++index) {
            EXPECT_TRUE(SameBytes(copy.rotations[index], source.rotations[index]));
        }
    }
}

TEST(PieceTest, AssignLeavesWhatLiesBeyondTheSourcesRecordsAndExtents) {
    BuildShapeTable();
    Piece piece;
    piece.Assign(shapeTable[kTee]);
    piece.rotation = 3;
    piece.rotations[0].cells[3][3] = 9;  // outside the T's 3 x 2 used part

    piece.Assign(shapeTable[kZigzagZ]);
    EXPECT_EQ(piece.lastRotation, 1);
    EXPECT_EQ(piece.rotation, 0);
    EXPECT_TRUE(SameBytes(piece.rotations[2], shapeTable[kTee].rotations[2]));
    EXPECT_TRUE(SameBytes(piece.rotations[3], shapeTable[kTee].rotations[3]));
    EXPECT_EQ(piece.rotations[0].cells[3][3], 9);
    EXPECT_EQ(BlocksOf(piece), BlocksOf(shapeTable[kZigzagZ]));
}

}  // namespace
