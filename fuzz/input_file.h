// The fuzzers hand each input to the game's readers the way the game meets a
// data file: opened by name through the platform's file layer. The layer
// serves the name from the input's memory, so no disk stands between two
// inputs, and the readers' word to the player about each broken file is off.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzz {

// From now on, until the next call, a file of this name holds these bytes.
// Returns the name, for the reader to open.
const char* ServeInput(const char* name, const uint8_t* data, size_t size);

}  // namespace fuzz
