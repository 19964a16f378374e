// What units share in how they look: background colours and brushes, fonts from their Font property, borders and
// switches of style bits.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

#include "base/handles.h"

namespace quarrow {

// A background colour as painted: 0xFF000000 stands for the system button-face colour, looked up each time.
COLORREF ResolveBackColour(std::uint32_t colour);

// A solid brush of a unit's resolved background colour.
class BackgroundBrush {
 public:
  // Deletes the old brush first.
  void Make(std::uint32_t colour);
  HBRUSH Get() const { return brush_.Get(); }

 private:
  OwnedBrush brush_;
};

// Sets the text and background colours of a control's device context and returns the brush to paint with: the
// answer to a reflected WM_CTLCOLOR message.
LRESULT AnswerControlColours(HDC dc, std::uint32_t text_colour, std::uint32_t back_colour, HBRUSH brush);

// The font description of a stored Font value: exactly 60 bytes make a LOGFONTA, with character set, precisions,
// quality and pitch forced to DEFAULT_CHARSET, 0, 0, PROOF_QUALITY, 0. False for any other length.
bool StoredLogFont(std::span<const std::uint8_t> stored, LOGFONTA* font);

// The font a unit shows its text in: made from the stored Font value, or the stock default GUI font.
class UnitFont {
 public:
  // Deletes the previous font, makes the new one and sends it with WM_SETFONT (redraw). A font that cannot be
  // made falls back to the default GUI font.
  void Apply(HWND window, std::span<const std::uint8_t> stored);
  // Makes the font without telling a window.
  void Make(std::span<const std::uint8_t> stored);
  // The font in use: the unit's own or the stock one.
  HFONT Current() const;
  bool Custom() const { return static_cast<bool>(font_); }

 private:
  OwnedFont font_;
};

// Border styles 0 to 5: none, client edge, dialog modal frame, static edge, client edge with dialog modal frame,
// single line. Any other value gives no border. The frame is recalculated.
void ApplyBorder(HWND window, std::int32_t border);

// Sets the bits of `mask` in the window style to `bits`; the style is written only when it changes, then the
// frame is recalculated.
void SwitchStyle(HWND window, LONG_PTR mask, LONG_PTR bits);
void RecalculateFrame(HWND window);

}  // namespace quarrow
