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
    EXPECT_EQ(piece->x | piece->y | piece->lastRotation | piece->rotation, 0);
    for (const RotationState& record : piece->rotations) {
        EXPECT_TRUE(SameBytes(record, RotationState{}));
    }
}

// Assign copies the place, the turn and every record in use, and leaves what
// lies beyond the source's records and their used parts as it was.
TEST(PieceTest, AssignCopiesWhatTheSourceUses) {
    BuildShapeTable();
    for (int32_t shape = 0; shape < kShapeCount; ++shape) {
        Piece source = shapeTable[shape];
        source.x = 2;
        source.y = 11;
        source.rotation = source.lastRotation;
        Piece copy;
        copy.Assign(source);
        EXPECT_EQ(std::vector<int32_t>({copy.x, copy.y, copy.lastRotation, copy.rotation}),
                  std::vector<int32_t>({2, 11, source.lastRotation, source.rotation}));
        for (int32_t index = 0; index <= source.lastRotation; ++index) {
            EXPECT_TRUE(SameBytes(copy.rotations[index], source.rotations[index])) << shape;
        }
    }
    Piece piece;
    piece.Assign(shapeTable[kTee]);
    piece.rotations[0].cells[3][3] = 9;  // outside the T's 3 x 2 used part
    piece.Assign(shapeTable[kZigzagZ]);
    EXPECT_EQ(BlocksOf(piece), BlocksOf(shapeTable[kZigzagZ]));
    EXPECT_TRUE(SameBytes(piece.rotations[3], shapeTable[kTee].rotations[3]));
    EXPECT_EQ(piece.rotations[0].cells[3][3], 9);
}

}  // namespace
