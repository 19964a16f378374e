#include "units/label_painting.h"

#include <algorithm>
#include <vector>

#include "internals/picture.h"
#include "base/handles.h"
#include "units/unit_appearance.h"

namespace quarrow {

namespace {

constexpr std::int32_t kTileSize = 50;

std::int32_t WidthOf(const RECT& r) { return r.right - r.left; }
std::int32_t HeightOf(const RECT& r) { return r.bottom - r.top; }

bool Meets(const RECT& a, const RECT& b) {
  RECT common;
  return ::IntersectRect(&common, &a, &b) != FALSE;
}

// Keeps the context's state (clip region, objects, colours) for the scope.
class SavedState {
 public:
  explicit SavedState(HDC dc) : dc_(dc), saved_(::SaveDC(dc)) {}
  ~SavedState() {
    if (saved_ != 0) ::RestoreDC(dc_, saved_);
  }
  SavedState(const SavedState&) = delete;
  SavedState& operator=(const SavedState&) = delete;

 private:
  HDC dc_;
  int saved_;
};

// Limits further drawing to the polygon (in logical coordinates) as well as to what was allowed before.
void ClipToPolygon(HDC dc, const POINT* points, int count) {
  ::BeginPath(dc);
  ::Polygon(dc, points, count);
  ::EndPath(dc);
  ::SelectClipPath(dc, RGN_AND);
}

void DrawPictureBackground(HDC dc, const Picture& picture, const RECT& area, const RECT& fill,
                           const LabelProperties& p, HRGN unfilled) {
  DisplayHandle handle;
  if (!MakeDisplayHandle(picture, dc, ResolveBackColour(p.back_color), &handle)) return;
  const std::int32_t pw = handle.width;
  const std::int32_t ph = handle.height;
  if (pw <= 0 || ph <= 0) return;
  RECT drawn = {};
  switch (p.picture_mode) {
    case 0:
      DrawPicture(handle, dc, area.left, area.top, -1, -1, SRCCOPY);
      drawn = {area.left, area.top, area.left + pw, area.top + ph};
      break;
    case 2: {
      drawn = FittedPictureRect(area, pw, ph);
      if (::IsRectEmpty(&drawn)) return;
      DrawPicture(handle, dc, drawn.left, drawn.top, WidthOf(drawn), HeightOf(drawn), SRCCOPY);
      break;
    }
    default: {
      // Tiled from the area's top-left corner; rows and columns wholly outside the clip rectangle are skipped.
      const std::int32_t first_row = std::max<std::int32_t>(0, (fill.top - area.top) / ph);
      const std::int32_t first_column = std::max<std::int32_t>(0, (fill.left - area.left) / pw);
      for (std::int32_t y = area.top + first_row * ph; y < fill.bottom; y += ph) {
        for (std::int32_t x = area.left + first_column * pw; x < fill.right; x += pw) {
          const RECT tile = {x, y, x + pw, y + ph};
          if (Meets(tile, fill)) DrawPicture(handle, dc, x, y, -1, -1, SRCCOPY);
        }
      }
      drawn = area;
      break;
    }
  }
  OwnedRegion covered(::CreateRectRgnIndirect(&drawn));
  if (covered) ::CombineRgn(unfilled, unfilled, covered.Get(), RGN_DIFF);
}

void DrawCaption(HDC dc, const RECT& area, const LabelLook& look) {
  const LabelProperties& p = look.properties;
  UnitFont font;
  font.Make(look.font);
  ::SelectObject(dc, font.Current());
  ::SetBkMode(dc, TRANSPARENT);

  UINT format = DT_NOCLIP;
  format |= p.alignment == 1 ? DT_CENTER : p.alignment == 2 ? DT_RIGHT : DT_LEFT;
  if (p.word_wrap) {
    format |= DT_WORDBREAK | DT_VCENTER;
  } else {
    format |= DT_SINGLELINE;
    if (p.v_alignment == 1) format |= DT_VCENTER;
    if (p.v_alignment == 2) format |= DT_BOTTOM;
  }
  const auto draw = [&](COLORREF colour, int dx, int dy) {
    RECT at = area;
    ::OffsetRect(&at, dx, dy);
    ::SetTextColor(dc, colour);
    ::DrawTextA(dc, look.caption.data(), static_cast<int>(look.caption.size()), &at, format);
  };
  const COLORREF caption_colour = static_cast<COLORREF>(p.text_color);
  switch (p.effect) {
    case 1:  // sunken
      draw(RGB(255, 255, 255), 1, 1);
      draw(caption_colour, 0, 0);
      break;
    case 2:  // raised
      draw(RGB(255, 255, 255), 0, 0);
      draw(caption_colour, 1, 1);
      break;
    case 3:  // shadow
      draw(RGB(0, 0, 0), 2, 2);
      draw(caption_colour, 0, 0);
      break;
    default: draw(caption_colour, 0, 0); break;
  }
  // The font goes before the context is restored; the stock font is selected back first.
  ::SelectObject(dc, ::GetStockObject(SYSTEM_FONT));
}

}  // namespace

RECT FittedPictureRect(const RECT& area, std::int32_t picture_width, std::int32_t picture_height) {
  const std::int64_t aw = WidthOf(area);
  const std::int64_t ah = HeightOf(area);
  if (aw <= 0 || ah <= 0 || picture_width <= 0 || picture_height <= 0) return {};
  std::int64_t w = picture_width;
  std::int64_t h = picture_height;
  if (w > aw || h > ah) {
    // The factor is min(aw / w, ah / h); whichever side limits is filled exactly.
    if (aw * h <= ah * w) {
      h = h * aw / w;
      w = aw;
    } else {
      w = w * ah / h;
      h = ah;
    }
  }
  const auto left = static_cast<LONG>(area.left + (aw - w) / 2);
  const auto top = static_cast<LONG>(area.top + (ah - h) / 2);
  return {left, top, left + static_cast<LONG>(w), top + static_cast<LONG>(h)};
}

void FillGradient(HDC dc, const RECT& rect, std::int32_t kind, const label::ColourStops& stops, const RECT& clip) {
  const std::int32_t width = WidthOf(rect);
  const std::int32_t height = HeightOf(rect);
  if (width <= 0 || height <= 0 || !stops.Usable()) return;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(kTileSize) * kTileSize);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  for (std::int32_t top = 0; top < height; top += kTileSize) {
    const std::int32_t tile_height = std::min(kTileSize, height - top);
    for (std::int32_t left = 0; left < width; left += kTileSize) {
      const std::int32_t tile_width = std::min(kTileSize, width - left);
      const RECT tile = {rect.left + left, rect.top + top, rect.left + left + tile_width,
                         rect.top + top + tile_height};
      if (!Meets(tile, clip)) continue;
      label::FillGradientTile(kind, stops, width, height, left, top, tile_width, tile_height, pixels);
      info.bmiHeader.biWidth = tile_width;
      info.bmiHeader.biHeight = -tile_height;  // top row first
      ::StretchDIBits(dc, tile.left, tile.top, tile_width, tile_height, 0, 0, tile_width, tile_height,
                      pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    }
  }
}

std::int32_t DrawGradientFrame(HDC dc, const RECT& outer, std::int32_t width, const label::ColourStops& stops,
                               const RECT& clip) {
  width = std::min({width, WidthOf(outer) / 2, HeightOf(outer) / 2});
  if (width <= 0 || !stops.Usable()) return 0;
  const LONG l = outer.left, t = outer.top, r = outer.right, b = outer.bottom;
  FillGradient(dc, {l, t, r, t + width}, 1, stops, clip);
  FillGradient(dc, {l, b - width, r, b}, 1, stops, clip);
  {
    SavedState state(dc);
    const POINT left_band[] = {{l, t}, {l + width, t + width}, {l + width, b - width}, {l, b}};
    ClipToPolygon(dc, left_band, 4);
    FillGradient(dc, {l, t, l + width, b}, 2, stops, clip);
  }
  {
    SavedState state(dc);
    const POINT right_band[] = {{r, t}, {r, b}, {r - width, b - width}, {r - width, t + width}};
    ClipToPolygon(dc, right_band, 4);
    FillGradient(dc, {r - width, t, r, b}, 2, stops, clip);
  }
  return width;
}

void PaintLabel(HDC dc, const RECT& client, const LabelLook& look) {
  RECT clip;
  const int clip_kind = ::GetClipBox(dc, &clip);
  if (clip_kind == NULLREGION || clip_kind == ERROR || ::IsRectEmpty(&clip)) return;
  SavedState state(dc);
  const LabelProperties& p = look.properties;

  RECT area = client;
  if (p.border == label::kGradientFrame && p.border_width > 0) {
    const label::ColourStops frame = label::UsableStops(p.border_color1, p.border_color2, p.border_color3);
    const std::int32_t drawn = DrawGradientFrame(dc, area, p.border_width, frame, clip);
    if (drawn > 0) ::InflateRect(&area, -drawn, -drawn);
  }

  RECT fill;
  if (!::IntersectRect(&fill, &clip, &area)) return;
  ::IntersectClipRect(dc, fill.left, fill.top, fill.right, fill.bottom);
  OwnedRegion unfilled(::CreateRectRgnIndirect(&fill));
  if (!unfilled) return;

  const COLORREF back = ResolveBackColour(p.back_color);
  const label::ColourStops gradient = label::UsableStops(p.gradient_color1, p.gradient_color2, p.gradient_color3);
  if (look.picture != nullptr) {
    // An icon's transparent pixels show the background colour, not what was on the screen before.
    if (look.picture->icon != nullptr) {
      OwnedBrush brush(::CreateSolidBrush(back));
      ::FillRgn(dc, unfilled.Get(), brush.Get());
    }
    DrawPictureBackground(dc, *look.picture, area, fill, p, unfilled.Get());
  } else if (p.back_gradient >= label::kFirstGradientKind && p.back_gradient <= label::kLastGradientKind &&
             gradient.Usable()) {
    FillGradient(dc, area, p.back_gradient, gradient, fill);
    ::SetRectRgn(unfilled.Get(), 0, 0, 0, 0);
  }
  RECT left_over;
  if (::GetRgnBox(unfilled.Get(), &left_over) != NULLREGION) {
    OwnedBrush brush(::CreateSolidBrush(back));
    ::FillRgn(dc, unfilled.Get(), brush.Get());
  }

  if (!look.caption.empty()) DrawCaption(dc, area, look);
}

}  // namespace quarrow
