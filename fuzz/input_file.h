// The fuzzers hand each input to the game's readers the way the game meets a
// data file: as a file on disk, opened by name.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzz {

// Writes the bytes to a file of the given name in a scratch folder that this
// process owns (made on first use, removed at exit) and returns the file's
// path. Each call replaces the file's content.
const char* WriteInputFile(const char* name, const uint8_t* data, size_t size);

}  // namespace fuzz
