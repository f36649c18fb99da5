// Where a host's tick count starts. A host counts from its own start (SDL's,
// the page's), so a tick count read at start-up would be nearly the same on
// every run, and the game seeds its piece generator with exactly that. Each
// run therefore starts its count somewhere in the first 4.6 hours, which
// still leaves more than 49 days before the count wraps.
#pragma once

#include <cstdint>

namespace platform::host {

// The same for the whole run.
uint32_t StartOfCount();

}  // namespace platform::host
