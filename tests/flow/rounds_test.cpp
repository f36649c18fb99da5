#include <gtest/gtest.h>

#include "flow/games.h"
#include "platform/random.h"
#include "tests/support/play_rig.h"

namespace {

// Whatever shape the generator draws, it comes in at column 4 at the top, in
// its first record, already written into the well. (A piece's other records
// come along with Assign, which every move and turn test goes through.)
TEST(FirstPiece, EveryShapeComesInAtColumnFourOnTheBoard) {
    test_support::PlayRig rig;
    bool seen[kShapeCount] = {};
    for (unsigned seed = 0; seed < 200; ++seed) {
        platform::SeedRandom(seed);
        const auto shape = static_cast<int32_t>(platform::Random() % kShapeCount);
        platform::SeedRandom(seed);
        ClearBoard();
        Piece current;
        SpawnFirstPiece(current, board);
        const Piece expected = test_support::ShapeAt(shape, 4, 0);
        ASSERT_EQ(
            std::vector<int32_t>({current.x, current.y, current.rotation, current.lastRotation}),
            std::vector<int32_t>({4, 0, 0, expected.lastRotation}))
            << seed;
        Board stamped{};
        StampPiece(expected, stamped.data());
        ASSERT_EQ(board, stamped) << seed;
        seen[shape] = true;
    }
    EXPECT_EQ(std::count(std::begin(seen), std::end(seen), true), kShapeCount);
}

}  // namespace
