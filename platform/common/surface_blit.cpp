// Colour fill and the fast blit. There is no clipper: a rectangle that leaves
// a surface is refused whole.
#include <cstdint>

#include "platform/backend.h"
#include "platform/common/failure.h"
#include "platform/common/pixel_rows.h"
#include "platform/display.h"

namespace platform {

using detail::Refuse;

namespace {

bool LiesWithin(const Rect& rect, int32_t width, int32_t height) {
    return rect.left >= 0 && rect.top >= 0 && rect.left < rect.right && rect.top < rect.bottom &&
           rect.right <= width && rect.bottom <= height;
}

uint8_t* PixelAt(uint8_t* first, int32_t pitch, int32_t x, int32_t y) {
    return first + static_cast<ptrdiff_t>(y) * pitch + x;
}

}  // namespace

Result Surface::Blt(const Rect* destination, Surface* /*source*/, const Rect* /*sourceRect*/,
                    uint32_t flags, const BltFx* fx) {
    if (backend::Fails(Fault::Blit)) {
        return Refuse(kErrSurfaceLost, "cannot fill a surface: it was lost");
    }
    if ((flags & DDBLT_COLORFILL) == 0) {
        return Refuse(kErrNotImplemented, "only colour fills are offered by Blt");
    }
    if (fx == nullptr || fx->size != sizeof(BltFx)) {
        return Refuse(kErrInvalidParams,
                      "cannot fill a surface: fx must be given, its size sizeof(BltFx)");
    }
    const Rect area = destination != nullptr ? *destination : Rect{0, 0, width_, height_};
    if (!LiesWithin(area, width_, height_)) {
        return Refuse(kErrInvalidRect, "cannot fill a surface: the rectangle leaves it");
    }
    if (IsBusy()) {
        return Refuse(kErrSurfaceBusy, "cannot fill a surface: it is locked");
    }
    detail::FillBlock({PixelAt(pixels_.get(), pitch_, area.left, area.top), pitch_,
                       area.right - area.left, area.bottom - area.top},
                      static_cast<uint8_t>(fx->fillColor));
    return kOk;
}

Result Surface::BltFast(uint32_t x, uint32_t y, Surface* source, const Rect* sourceRect,
                        uint32_t flags) {
    if (backend::Fails(Fault::Blit)) {
        return Refuse(kErrSurfaceLost, "cannot blit: the surface was lost");
    }
    if (source == nullptr || source == this) {
        return Refuse(kErrInvalidParams, "cannot blit: a blit needs another surface as source");
    }
    const Rect from =
        sourceRect != nullptr ? *sourceRect : Rect{0, 0, source->width_, source->height_};
    if (!LiesWithin(from, source->width_, source->height_)) {
        return Refuse(kErrInvalidRect, "cannot blit: the source rectangle leaves the source");
    }
    const int64_t right = int64_t{x} + (from.right - from.left);
    const int64_t bottom = int64_t{y} + (from.bottom - from.top);
    if (right > width_ || bottom > height_) {
        return Refuse(kErrInvalidRect, "cannot blit: the picture would leave the destination");
    }
    if (IsBusy() || source->IsBusy()) {
        return Refuse(kErrSurfaceBusy, "cannot blit: a surface is locked");
    }
    const detail::PixelBlock to{
        PixelAt(pixels_.get(), pitch_, static_cast<int32_t>(x), static_cast<int32_t>(y)), pitch_,
        from.right - from.left, from.bottom - from.top};
    const detail::ConstPixelBlock in{
        PixelAt(source->pixels_.get(), source->pitch_, from.left, from.top), source->pitch_};
    const ColorKey& key = source->colorKey_;
    const bool keyed = (flags & DDBLTFAST_SRCCOLORKEY) != 0 && source->hasColorKey_ &&
                       key.lowValue <= key.highValue && key.lowValue <= 0xFF;
    if (keyed) {
        const uint32_t high = key.highValue < 0xFF ? key.highValue : 0xFF;
        detail::CopyBlockKeyed(to, in, static_cast<uint8_t>(key.lowValue),
                               static_cast<uint8_t>(high));
    } else {
        detail::CopyBlock(to, in);
    }
    return kOk;
}

}  // namespace platform
