#include <cstddef>

#include "audio/sound_clip.h"
#include "flow/games.h"
#include "platform/random.h"

namespace {

// One draw of the random generator picks one of the seven shapes.
const Piece& RandomTemplate() {
    return shapeTable[static_cast<size_t>(platform::Random() % kShapeCount)];
}

void StartMusicIfStopped() {
    constexpr int32_t kLooped = 1;
    if (musicSound != nullptr) {
        musicSound->Play(kLooped);
    }
}

void ScoreAndRemoveFullRows(Score& score, FullRows& fullRows, int32_t& fullRowCount) {
    if (FindFullRows(board, fullRows, fullRowCount)) {
        AddRowScore(score, fullRowCount);
        RemoveFullRows(fullRowCount, fullRows, board);
    }
}

}  // namespace

void SpawnFirstPiece(Piece& current, Board& cells) {
    current.Assign(RandomTemplate());
    // The first piece of a game always comes in at column 4, already on the board.
    PlaceAtStart(current, cells.data());
}

RoundResult PlayRound(Piece& current, Piece& emptyPiece, Score& score, FullRows& fullRows,
                      int32_t& fullRowCount) {
    StartMusicIfStopped();
    Piece next = emptyPiece;
    next.Assign(RandomTemplate());

    const RoundResult result = RunFallLoop(current, board, score, next);
    if (result != RoundLanded) {
        return result;
    }
    ScoreAndRemoveFullRows(score, fullRows, fullRowCount);
    // The next piece comes in at its template's place but is not written into
    // the board: its first move puts it there.
    current.Assign(next);
    return RoundLanded;
}
