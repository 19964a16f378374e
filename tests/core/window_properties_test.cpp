#include "forms/window_properties.h"

#include <gtest/gtest.h>

namespace quarrow::forms {
namespace {

WindowProperties Everything() {
  WindowProperties p;
  p.border_style = 5;
  p.picture_mode = 3;
  p.background_colour = 0x00112233;
  p.maximize_button = 1;
  p.minimize_button = 0;
  p.control_box = 0;
  p.start_position = 3;
  p.close_button = 0;
  p.music_mode = 1;
  p.enter_moves_focus = 1;
  p.escape_closes = 0;
  p.f1_opens_help = 1;
  p.help_context = 77;
  p.show_in_task_bar = 0;
  p.drag_by_client_area = 1;
  p.property_28 = 2;
  p.always_on_top = 1;
  p.property_30 = 1;
  p.class_name = "MyClass";
  p.picture = {1, 2, 3};
  p.icon = {4, 5};
  p.music = {'R', 'I', 'F', 'F'};
  p.title = "标题";
  p.help_file = "帮助.hlp";
  return p;
}

// A block of an older version as such a block was laid out: the fields that version has, then the buffers and
// texts. The writer only writes version 6, so older blocks are put together here.
Bytes OlderBlock(std::uint32_t version, const WindowProperties& p) {
  ByteWriter w;
  w.U32(version);
  for (std::int32_t v : {p.border_style, p.picture_mode}) w.I32(v);
  w.U32(p.background_colour);
  for (std::int32_t v : {p.maximize_button, p.minimize_button, p.control_box, p.start_position, p.close_button,
                         p.music_mode, p.enter_moves_focus, p.escape_closes, p.f1_opens_help, p.help_context}) {
    w.I32(v);
  }
  if (version > 1) w.I32(p.show_in_task_bar);
  if (version > 2) {
    w.I32(p.drag_by_client_area);
    w.I32(p.property_28);
  }
  if (version > 3) w.I32(p.always_on_top);
  if (version > 4) w.I32(p.property_30);
  if (version > 5) w.CountedText(p.class_name);
  w.CountedBuffer(p.picture);
  w.CountedBuffer(p.icon);
  w.CountedBuffer(p.music);
  w.CountedText(p.title);
  w.CountedText(p.help_file);
  return w.Release();
}

TEST(WindowProperties, AnEmptyBlockGivesTheDefaults) {
  WindowProperties p = Everything();
  ASSERT_TRUE(LoadWindowProperties({}, &p));
  EXPECT_EQ(p, WindowProperties{});
  EXPECT_EQ(p.border_style, 2);
  EXPECT_EQ(p.picture_mode, 1);
  EXPECT_EQ(p.background_colour, 0xFF000000u);
  EXPECT_EQ(p.minimize_button, 1);
  EXPECT_EQ(p.maximize_button, 0);
  EXPECT_EQ(p.start_position, 1);
  EXPECT_EQ(p.escape_closes, 1);
  EXPECT_EQ(p.show_in_task_bar, 1);
}

TEST(WindowProperties, SaveAndLoadAgreeOnEveryField) {
  const Bytes block = SaveWindowProperties(Everything());
  EXPECT_EQ(block[0], 6) << "the writer writes version 6";
  WindowProperties p;
  ASSERT_TRUE(LoadWindowProperties(block, &p));
  EXPECT_EQ(p, Everything());
  EXPECT_EQ(SaveWindowProperties(p), block);
  EXPECT_EQ(WindowIconData(block), (Bytes{4, 5}));
  EXPECT_TRUE(WindowIconData(SaveWindowProperties({})).empty());
}

TEST(WindowProperties, OlderVersionsKeepTheDefaultsOfTheFieldsTheyLack) {
  const WindowProperties all = Everything();
  for (std::uint32_t version = 0; version <= 6; ++version) {
    WindowProperties p;
    ASSERT_TRUE(LoadWindowProperties(OlderBlock(version, all), &p)) << version;
    const WindowProperties d;
    EXPECT_EQ(p.help_context, 77) << version;
    EXPECT_EQ(p.title, "标题") << version;
    EXPECT_EQ(p.icon, all.icon) << version;
    EXPECT_EQ(p.show_in_task_bar, version > 1 ? 0 : d.show_in_task_bar) << version;
    EXPECT_EQ(p.drag_by_client_area, version > 2 ? 1 : d.drag_by_client_area) << version;
    EXPECT_EQ(p.property_28, version > 2 ? 2 : 0) << version;
    EXPECT_EQ(p.always_on_top, version > 3 ? 1 : 0) << version;
    EXPECT_EQ(p.property_30, version > 4 ? 1 : 0) << version;
    EXPECT_EQ(p.class_name, version > 5 ? "MyClass" : "") << version;
  }
}

TEST(WindowProperties, AHigherVersionOrAShortBlockIsRejected) {
  WindowProperties p;
  EXPECT_FALSE(LoadWindowProperties(OlderBlock(7, Everything()), &p));
  Bytes negative = SaveWindowProperties({});
  negative[3] = 0xFF;  // version 0xFF000006: compared unsigned, far above 6
  EXPECT_FALSE(LoadWindowProperties(negative, &p));
  const Bytes block = SaveWindowProperties(Everything());
  for (std::size_t n = 1; n < block.size(); ++n) {
    const Bytes prefix(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_FALSE(LoadWindowProperties(prefix, &p)) << n;
  }
}

}  // namespace
}  // namespace quarrow::forms
