// Ways a data file can be damaged: cut short, in another format, with sizes
// that make no sense, or not there at all. One table for pictures and sounds.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "tests/reliability/scratch_folder.h"

namespace reliability {

enum FileKind : uint32_t { kPicture = 1u, kSound = 2u, kEither = kPicture | kSound };

struct Damage {
    const char* name;
    uint32_t kinds;  // the kinds of file it applies to
    // The damaged content made from the good file's bytes; no content leaves
    // no file at all.
    std::function<std::optional<Bytes>(const Bytes& good)> make;
    // A folder of the file's name instead of the file.
    bool folder = false;
};

const std::vector<Damage>& AllDamage();

}  // namespace reliability
