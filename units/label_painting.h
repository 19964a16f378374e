// How a label paints itself: an optional gradient frame with mitred corners, then a background of a picture, a
// gradient or a plain colour, then the caption with its alignment, wrapping and relief effect.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string_view>

#include "units/label_gradient.h"
#include "units/label_properties.h"

namespace quarrow {

struct Picture;

// Everything a label's painting depends on.
struct LabelLook {
  const LabelProperties& properties;       // the settings; its byte fields are not used
  std::span<const std::uint8_t> font;      // the stored Font
  const Picture* picture = nullptr;        // the decoded Picture, or none
  std::string_view caption;                // the window text
};

// Paints a label whose client rectangle is `client` into the device context, within its clip box. Nothing is
// drawn when the clip box is empty. The context's state is restored afterwards.
void PaintLabel(HDC dc, const RECT& client, const LabelLook& look);

// Fills `rect` with a gradient kind (1 to 8) over the rectangle's own size, in tiles of at most 50 × 50 pixels;
// only tiles that meet `clip` are computed and drawn.
void FillGradient(HDC dc, const RECT& rect, std::int32_t kind, const label::ColourStops& stops, const RECT& clip);

// The frame of `width` pixels inside `outer`: top and bottom bands of kind 1, left and right bands of kind 2 over
// their own widths, the side bands cut to trapezoids so that the corners are mitred. The width is limited to half
// the outer width and height; returns the width drawn (0 when nothing was drawn).
std::int32_t DrawGradientFrame(HDC dc, const RECT& outer, std::int32_t width, const label::ColourStops& stops,
                               const RECT& clip);

// Where PictureMode 2 puts a picture of this size in the area: centred, shrunk in proportion when it is larger
// than the area in either direction, never enlarged.
RECT FittedPictureRect(const RECT& area, std::int32_t picture_width, std::int32_t picture_height);

}  // namespace quarrow
