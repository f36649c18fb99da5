// The night-blue wall behind play and the end screen: a soft glow over a
// faint pattern of large bricks, so that the eye has something calm to rest on.
#pragma once

#include "tools/assetgen/canvas.h"

namespace assetgen {

// Paints the whole canvas. The glow is brightest around (glowX, glowY).
void PaintBackdrop(Canvas& canvas, int glowX, int glowY);

// A recessed dark field with a steel frame of the given thickness around
// the inside area (the frame lies outside it).
void DrawFramedField(Canvas& canvas, const Rect& inside, int frame);

// A darker plate with a thin edge, to set lettering apart from the backdrop.
void DrawPlate(Canvas& canvas, const Rect& area);

}  // namespace assetgen
