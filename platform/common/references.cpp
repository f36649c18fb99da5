// The counted references of the display device and its surfaces, the same on
// every backend: the last release destroys the object, with the backend's
// own destructor.
#include "platform/display.h"

namespace platform {
namespace {

// Gives back one reference; true when it was the last. A release after that
// drops nothing: the object is gone already.
bool DropReference(uint32_t& references) {
    return references != 0 && --references == 0;
}

}  // namespace

uint32_t Surface::AddRef() {
    return ++references_;
}

uint32_t Surface::Release() {
    if (DropReference(references_)) {
        delete this;
        return 0;
    }
    return references_;
}

uint32_t DisplayDevice::AddRef() {
    return ++references_;
}

uint32_t DisplayDevice::Release() {
    if (DropReference(references_)) {
        delete this;
        return 0;
    }
    return references_;
}

}  // namespace platform
