#include "forms/window_properties.h"

namespace quarrow::forms {

bool LoadWindowProperties(std::span<const std::uint8_t> block, WindowProperties* out) {
  *out = WindowProperties{};
  if (block.empty()) return true;
  ByteReader r(block);
  const std::uint32_t version = r.U32();
  if (r.Failed() || version > kWindowPropertiesVersion) return false;

  WindowProperties p;
  p.border_style = r.I32();
  p.picture_mode = r.I32();
  p.background_colour = r.U32();
  p.maximize_button = r.I32();
  p.minimize_button = r.I32();
  p.control_box = r.I32();
  p.start_position = r.I32();
  p.close_button = r.I32();
  p.music_mode = r.I32();
  p.enter_moves_focus = r.I32();
  p.escape_closes = r.I32();
  p.f1_opens_help = r.I32();
  p.help_context = r.I32();
  if (version > 1) p.show_in_task_bar = r.I32();
  if (version > 2) {
    p.drag_by_client_area = r.I32();
    p.property_28 = r.I32();
  }
  if (version > 3) p.always_on_top = r.I32();
  if (version > 4) p.property_30 = r.I32();
  if (version > 5) p.class_name = r.CountedText();
  p.picture = r.CountedBytes();
  p.icon = r.CountedBytes();
  p.music = r.CountedBytes();
  p.title = r.CountedText();
  p.help_file = r.CountedText();
  if (r.Failed()) return false;
  *out = std::move(p);
  return true;
}

Bytes SaveWindowProperties(const WindowProperties& p) {
  ByteWriter w;
  w.U32(kWindowPropertiesVersion);
  for (std::int32_t v : {p.border_style, p.picture_mode}) w.I32(v);
  w.U32(p.background_colour);
  for (std::int32_t v : {p.maximize_button, p.minimize_button, p.control_box, p.start_position, p.close_button,
                         p.music_mode, p.enter_moves_focus, p.escape_closes, p.f1_opens_help, p.help_context,
                         p.show_in_task_bar, p.drag_by_client_area, p.property_28, p.always_on_top,
                         p.property_30}) {
    w.I32(v);
  }
  w.CountedText(p.class_name);
  w.CountedBuffer(p.picture);
  w.CountedBuffer(p.icon);
  w.CountedBuffer(p.music);
  w.CountedText(p.title);
  w.CountedText(p.help_file);
  return w.Release();
}

Bytes WindowIconData(std::span<const std::uint8_t> block) {
  WindowProperties p;
  if (!LoadWindowProperties(block, &p)) return {};
  return p.icon;
}

}  // namespace quarrow::forms
