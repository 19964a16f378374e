#include "forms/form_description.h"

#include <gtest/gtest.h>

#include "tests/support/form_builder.h"

namespace quarrow::forms {
namespace {

using testing::ChildRecord;
using testing::kWindowRecordId;
using testing::Window;
using testing::WindowUnit;

// Two windows: the first with every kind of field filled, a paged container and a menu item; the second bare.
FormDescription SampleForm() {
  WindowProperties properties;
  properties.title = "地址生成器";
  properties.border_style = 1;
  UnitRecord window = WindowUnit(properties, 10, 20, 300, 200);
  window.events = {{0, 0}, {12, 16}};

  UnitRecord edit = ChildRecord(0x00010005, "编辑框_次数", 8, 9, 100, 22, 3);
  edit.event_source = 0x16010002;
  edit.parent = 0x16010003;
  edit.mouse_pointer = {0x00, 0x7F, 0, 0};
  edit.tag = "标记";
  edit.events = {{-11, 24}, {0, kNoHandler}};
  edit.properties = {1, 0, 0, 0, 5, 0, 0, 0, 'x'};
  edit.reserved[3] = 7;
  edit.reserved_tail[19] = 9;

  UnitRecord pages = ChildRecord(0x00010009, "分组框", 0, 0, 50, 50);
  pages.page_list = {0x16010002, 0, 0x16010004};
  pages.mouse_pointer = {};  // an empty buffer stays empty

  MenuItemRecord item;
  item.name = "菜单";
  item.text = "文件(&F)";
  item.flags = 5;
  item.handler = 32;

  FormDescription form;
  form.windows.push_back(Window(0x52010001, {{kWindowRecordId, window},
                                             {0x16010002, edit},
                                             {0x16010003, pages},
                                             {0x26010005, item}}));
  form.windows.push_back(Window(0x52010002, {{kWindowRecordId, WindowUnit({}, 0, 0, 10, 10)}}));
  form.windows[1].value_a = 1;
  form.windows[1].value_b = 2;
  form.windows[1].text_a = "a";
  form.windows[1].text_b = "bc";
  return form;
}

TEST(FormDescription, WriteReadWriteIsByteIdenticalAndKeepsEveryField) {
  const FormDescription form = SampleForm();
  const Bytes stream = WriteFormDescription(form);
  const auto read = ReadFormDescription(stream);
  ASSERT_TRUE(read);
  EXPECT_EQ(WriteFormDescription(*read), stream);

  ASSERT_EQ(read->windows.size(), 2u);
  EXPECT_EQ(read->windows[0].id, 0x52010001u);
  EXPECT_EQ(read->windows[0].value_a, 8u);
  EXPECT_EQ(read->windows[0].value_b, 0x19010002u);
  EXPECT_EQ(read->windows[1].text_b, "bc");
  const UnitList& units = read->windows[0].units;
  ASSERT_EQ(units.Count(), 4u);
  for (std::size_t i = 0; i < units.Count(); ++i) {
    const auto parsed = ParseUnitRecord(*units.RecordAt(i));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(*parsed, *ParseUnitRecord(*form.windows[0].units.RecordAt(i))) << "record " << i;
  }
  const auto edit = std::get<UnitRecord>(*ParseUnitRecord(*units.RecordById(0x16010002)));
  EXPECT_EQ(edit.name, "编辑框_次数");
  EXPECT_EQ(edit.tab_order, 3);
  EXPECT_EQ(edit.events, (std::vector<EventBinding>{{-11, 24}, {0, kNoHandler}}));
  EXPECT_EQ(edit.properties, (Bytes{1, 0, 0, 0, 5, 0, 0, 0, 'x'}));
  EXPECT_TRUE(IsMenuItem(*ParseUnitRecord(*units.RecordAt(3))));
}

TEST(FormDescription, AnEmptyWindowTableIsAnEmptyForm) {
  const Bytes stream = WriteFormDescription({});
  EXPECT_EQ(stream, (Bytes{0, 0, 0, 0}));
  const auto read = ReadFormDescription(stream);
  ASSERT_TRUE(read);
  EXPECT_TRUE(read->windows.empty());
}

TEST(FormDescription, EveryTruncationFailsAndNothingReadsPastTheEnd) {
  const Bytes stream = WriteFormDescription(SampleForm());
  for (std::size_t n = 0; n < stream.size(); ++n) {
    // A copy of exactly n bytes, so that the sanitizer sees any read past it.
    const Bytes prefix(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_FALSE(ReadFormDescription(prefix)) << "prefix of " << n << " bytes";
  }
}

// Overwrites a word of a written stream: the way a corrupt stream looks.
Bytes WithWord(Bytes stream, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) stream[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  return stream;
}

TEST(FormDescription, CorruptCountsAndOffsetsFail) {
  FormDescription one;
  one.windows.push_back(SampleForm().windows[0]);
  const Bytes stream = WriteFormDescription(one);
  ASSERT_TRUE(ReadFormDescription(stream));
  // Layout: table (4 + 8), A, B, two empty texts (4 + 4), unit count at 28, buffer length at 32, ids from 36.
  const std::size_t unit_count = 28, buffer_length = 32, first_offset = 36 + 4 * 4;
  EXPECT_FALSE(ReadFormDescription(WithWord(stream, 0, 12))) << "a table that is not 8 bytes per window";
  EXPECT_FALSE(ReadFormDescription(WithWord(stream, 0, 0x7FFFFFF8))) << "a table longer than the stream";
  EXPECT_FALSE(ReadFormDescription(WithWord(stream, unit_count, 0xFFFFFFFF))) << "more records than the buffer holds";
  EXPECT_FALSE(ReadFormDescription(WithWord(stream, buffer_length, 0x80000000))) << "a negative buffer length";
  EXPECT_FALSE(ReadFormDescription(WithWord(stream, first_offset + 4, 0x00FFFFFF))) << "an offset past the buffer";

  // A record whose length word claims more than the buffer holds.
  const std::uint32_t record_at = 36 + 8 * 4;
  EXPECT_FALSE(ReadFormDescription(WithWord(stream, record_at, 0xFFFFFFF0)));
}

TEST(FormDescription, RecordsThatEndEarlyOrClaimTooMuchFail) {
  const UnitRecord unit = ChildRecord(0x00010005, "x", 1, 2, 3, 4);
  Bytes record = EncodeUnitRecord(unit);
  ASSERT_TRUE(ParseUnitRecord(record));
  for (std::size_t n = 0; n < record.size(); ++n) {
    EXPECT_FALSE(ParseUnitRecord(std::span(record).first(n))) << n;
  }
  // The page-list count: after type, source, 16 reserved bytes, "x" and "" with terminators, object slot,
  // position and size, cursor slot and parent.
  const std::size_t page_count = 24 + 3 + 4 + 16 + 4 + 4;
  EXPECT_FALSE(ParseUnitRecord(WithWord(record, page_count, 0x40000000)));
  // A name without terminator.
  Bytes unterminated = record;
  unterminated.resize(25);
  unterminated[24] = 'x';
  EXPECT_FALSE(ParseUnitRecord(unterminated));

  MenuItemRecord item;
  item.text = "打开";
  const Bytes menu = EncodeUnitRecord(item);
  for (std::size_t n = 0; n < menu.size(); ++n) EXPECT_FALSE(ParseUnitRecord(std::span(menu).first(n))) << n;
}

TEST(FormDescription, HandlersResolveFromTheCodeBase) {
  alignas(8) static const std::uint8_t code[64] = {};
  EXPECT_EQ(ResolveHandler(code, kNoHandler), 0u);
  EXPECT_EQ(ResolveHandler(code, 0), reinterpret_cast<std::uintptr_t>(code)) << "offset 0 is the code base itself";
  EXPECT_EQ(ResolveHandler(code, 24), reinterpret_cast<std::uintptr_t>(code + 24));
}

TEST(FormDescription, IdsHaveClassKindAndSerial) {
  EXPECT_EQ(IdClass(0x52010001), 5u);
  EXPECT_EQ(IdKind(0x52010001), 2u);
  EXPECT_EQ(IdSerial(0x52010001), 0x010001u);
  EXPECT_TRUE(IdValid(0x160100A1));
  EXPECT_FALSE(IdValid(0x10000000)) << "no kind and no serial";
  EXPECT_FALSE(IdValid(0x06000000)) << "no serial";
  EXPECT_TRUE(IsMenuItemId(0x26010005));
  EXPECT_FALSE(IsMenuItemId(0x16010005));
}

TEST(UnitList, FindsRecordsByIndexAndId) {
  UnitList list;
  list.Append(0x06010000, {1, 2});
  list.Append(0x16010001, {3});
  list.Append(0x16010001, {4});  // a duplicate id: the first one wins
  EXPECT_EQ(list.IdAt(1), 0x16010001u);
  EXPECT_EQ(list.IdAt(3), 0u);
  EXPECT_EQ(list.RecordAt(3), nullptr);
  EXPECT_EQ(*list.RecordById(0x16010001), (Bytes{3}));
  EXPECT_EQ(list.RecordById(0x16019999), nullptr);
  EXPECT_EQ(list.IndexOf(0x06010000), 0u);
  EXPECT_FALSE(list.IndexOf(0x1));
}

TEST(UnitList, ReplacingASpanShiftsTheLaterOffsets) {
  UnitList list;
  list.Append(1, {1, 2, 3});
  list.Append(2, {4});
  list.Append(3, {5});
  EXPECT_EQ(list.Offsets(), (std::vector<std::uint32_t>{0, 7, 12}));
  ASSERT_TRUE(list.ReplaceSpan(0, 1, 1, Bytes{9, 9, 9, 9}));
  EXPECT_EQ(*list.RecordAt(0), (Bytes{1, 9, 9, 9, 9, 3}));
  EXPECT_EQ(list.Offsets(), (std::vector<std::uint32_t>{0, 10, 15}));
  ASSERT_TRUE(list.ReplaceSpan(0, 0, 6, {}));
  EXPECT_EQ(list.Offsets(), (std::vector<std::uint32_t>{0, 4, 9}));
  EXPECT_FALSE(list.ReplaceSpan(1, 1, 1, Bytes{0})) << "past the record's end";
  EXPECT_FALSE(list.ReplaceSpan(3, 0, 0, Bytes{0})) << "past the list's end";

  ASSERT_TRUE(list.Insert(1, 7, {7, 7}));
  ASSERT_TRUE(list.Insert(4, 8, {}));
  EXPECT_FALSE(list.Insert(6, 9, {}));
  EXPECT_EQ(list.IdAt(1), 7u);
  EXPECT_EQ(list.IdAt(4), 8u);

  const auto decoded = UnitList::Decode(list.Encode(), static_cast<std::uint32_t>(list.Count()));
  ASSERT_TRUE(decoded);
  EXPECT_EQ(*decoded, list);
}

}  // namespace
}  // namespace quarrow::forms
