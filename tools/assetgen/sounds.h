// The three sounds the game plays, as unsigned 8-bit mono samples at 22050
// a second.
#pragma once

#include <cstdint>
#include <vector>

namespace assetgen {

// "techno.wav": the music of play, a loop of whole bars.
std::vector<uint8_t> ComposeTechnoLoop();
// "superhappy.wav": the title tune, played once.
std::vector<uint8_t> ComposeTitleTune();
// "crunch.wav": rows crumbling away.
std::vector<uint8_t> MakeCrunch();

}  // namespace assetgen
