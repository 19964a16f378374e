#include "units/unit_appearance.h"

#include <cstring>

#include "units/unit_properties.h"

namespace quarrow {

COLORREF ResolveBackColour(std::uint32_t colour) {
  return colour == kButtonFaceColor ? ::GetSysColor(COLOR_BTNFACE) : static_cast<COLORREF>(colour);
}

void BackgroundBrush::Make(std::uint32_t colour) {
  brush_.Reset();
  brush_.Reset(::CreateSolidBrush(ResolveBackColour(colour)));
}

LRESULT AnswerControlColours(HDC dc, std::uint32_t text_colour, std::uint32_t back_colour, HBRUSH brush) {
  ::SetTextColor(dc, static_cast<COLORREF>(text_colour));
  ::SetBkColor(dc, ResolveBackColour(back_colour));
  return reinterpret_cast<LRESULT>(brush);
}

bool StoredLogFont(std::span<const std::uint8_t> stored, LOGFONTA* font) {
  static_assert(sizeof(LOGFONTA) == kLogFontSize);
  if (!HoldsLogFont(stored)) return false;
  std::memcpy(font, stored.data(), sizeof *font);
  font->lfCharSet = DEFAULT_CHARSET;
  font->lfOutPrecision = 0;
  font->lfClipPrecision = 0;
  font->lfQuality = PROOF_QUALITY;
  font->lfPitchAndFamily = 0;
  // A stored face name without its terminator must not run into the next field.
  font->lfFaceName[LF_FACESIZE - 1] = 0;
  return true;
}

void UnitFont::Make(std::span<const std::uint8_t> stored) {
  font_.Reset();
  LOGFONTA description;
  if (StoredLogFont(stored, &description)) font_.Reset(::CreateFontIndirectA(&description));
}

void UnitFont::Apply(HWND window, std::span<const std::uint8_t> stored) {
  // The window lets go of the old font before it is deleted.
  OwnedFont old(font_.Release());
  Make(stored);
  ::SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(Current()), TRUE);
}

HFONT UnitFont::Current() const {
  return font_ ? font_.Get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

void RecalculateFrame(HWND window) {
  ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ApplyBorder(HWND window, std::int32_t border) {
  constexpr LONG_PTR kExMask = WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE;
  LONG_PTR ex = 0;
  LONG_PTR style = 0;
  switch (border) {
    case 1: ex = WS_EX_CLIENTEDGE; break;
    case 2: ex = WS_EX_DLGMODALFRAME; break;
    case 3: ex = WS_EX_STATICEDGE; break;
    case 4: ex = WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME; break;
    case 5: style = WS_BORDER; break;
    default: break;
  }
  const LONG_PTR old_ex = ::GetWindowLongPtrA(window, GWL_EXSTYLE);
  ::SetWindowLongPtrA(window, GWL_EXSTYLE, (old_ex & ~kExMask) | ex);
  const LONG_PTR old_style = ::GetWindowLongPtrA(window, GWL_STYLE);
  ::SetWindowLongPtrA(window, GWL_STYLE, (old_style & ~static_cast<LONG_PTR>(WS_BORDER)) | style);
  RecalculateFrame(window);
}

void SwitchStyle(HWND window, LONG_PTR mask, LONG_PTR bits) {
  const LONG_PTR old_style = ::GetWindowLongPtrA(window, GWL_STYLE);
  const LONG_PTR new_style = (old_style & ~mask) | (bits & mask);
  if (new_style != old_style) ::SetWindowLongPtrA(window, GWL_STYLE, new_style);
  RecalculateFrame(window);
}

}  // namespace quarrow
