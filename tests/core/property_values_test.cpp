#include "base/property_values.h"

#include <gtest/gtest.h>

#include <cstring>

#include "base/event_record.h"
#include "forms/focus_order.h"
#include "forms/input_codes.h"
#include "tests/support/counting_heap.h"

namespace quarrow::forms {
namespace {

class PropertyValues : public ::testing::Test {
 protected:
  testing::CountingHeap heap_;
  testing::ThrowingFailureSink sink_;
  RuntimeMemory memory_{heap_, sink_};
  FontContext fonts_;

  void SetUp() override {
    // A default font of 8 points at 96 pixels per inch (height -11), weight 400, face "宋体".
    fonts_.default_font.assign(kFontDescriptionSize, 0);
    const std::int32_t height = -11, weight = 400;
    std::memcpy(fonts_.default_font.data(), &height, 4);
    std::memcpy(fonts_.default_font.data() + 16, &weight, 4);
    std::memcpy(fonts_.default_font.data() + 28, "宋体", std::strlen("宋体"));
  }

  std::uint64_t Read(std::uint16_t code, RawValue raw, std::int32_t element = -1) {
    return ValueForReader(code, raw, element, fonts_, memory_);
  }
  template <class T = char>
  T* Block(std::uint64_t value) {
    return reinterpret_cast<T*>(static_cast<std::uintptr_t>(value));
  }
  static RawValue Address(const void* p, std::size_t n = 0) { return {reinterpret_cast<std::uintptr_t>(p), n}; }
  static std::uint64_t ValueOf(const void* p) { return reinterpret_cast<std::uintptr_t>(p); }
};

TEST_F(PropertyValues, TypeCodesHaveTheirKinds) {
  EXPECT_EQ(KindOfTypeCode(1001), PropertyKind::kInteger);
  EXPECT_EQ(KindOfTypeCode(1004), PropertyKind::kLong);
  EXPECT_EQ(KindOfTypeCode(1003), PropertyKind::kLogical);
  EXPECT_EQ(KindOfTypeCode(1005), PropertyKind::kText);
  EXPECT_EQ(KindOfTypeCode(1006), PropertyKind::kChoice);
  EXPECT_EQ(KindOfTypeCode(1012), PropertyKind::kBytes);
  EXPECT_EQ(KindOfTypeCode(1011), PropertyKind::kMousePointer);
  EXPECT_EQ(KindOfTypeCode(1013), PropertyKind::kFont);
  EXPECT_EQ(KindOfTypeCode(1017), PropertyKind::kColour);
  EXPECT_EQ(KindOfTypeCode(1018), PropertyKind::kText) << "other codes up to 1024 are texts";
  EXPECT_EQ(KindOfTypeCode(999), PropertyKind::kInteger) << "codes outside the table carry a plain word";
}

TEST_F(PropertyValues, LogicalIsTrueOnlyForOne) {
  EXPECT_EQ(Read(1003, {1, 0}), 1u);
  EXPECT_EQ(Read(1003, {2, 0}), 0u) << "a raw word 2 reads as false";
  WriteValue w(1003, -1, 5, {}, fonts_);
  EXPECT_EQ(w.Raw().word1, 1u) << "any non-zero word is written as 1";
  WriteValue negative_choice(1006, -1, static_cast<std::uint32_t>(-3), {}, fonts_);
  EXPECT_EQ(negative_choice.Raw().word1, 0u) << "a negative choice becomes 0";
  WriteValue wide(1004, -1, 0x1122334455667788ull, {}, fonts_);
  EXPECT_EQ(wide.Raw().word1, 0x55667788u);
  EXPECT_EQ(wide.Raw().word2, 0x11223344u);
  EXPECT_EQ(Read(1004, {0x55667788u, 0x11223344u}), 0x1122334455667788ull);
}

TEST_F(PropertyValues, TextsAndBytesAreNewBlocksAndEmptyIsNull) {
  const char tag[] = "标签";
  const std::uint64_t text = Read(1005, Address(tag));
  ASSERT_NE(text, 0u);
  EXPECT_STREQ(Block(text), "标签");
  EXPECT_NE(Block(text), tag);
  memory_.Free(Block(text));
  EXPECT_EQ(Read(1005, Address("")), 0u);
  EXPECT_EQ(Read(1005, Address(nullptr)), 0u);

  const std::uint8_t bytes[] = {1, 2, 3};
  const std::uint64_t set = Read(1009, Address(bytes, 3));
  const ByteSetView view = ByteSetView::Of(Block<void>(set));
  EXPECT_EQ(view.size, 3u);
  EXPECT_EQ(view.data[2], 3);
  memory_.Free(Block(set));
  EXPECT_EQ(Read(1009, Address(bytes, 0)), 0u);
  EXPECT_EQ(heap_.Live(), 0u);

  WriteValue null_text(1005, -1, 0, {}, fonts_);
  EXPECT_STREQ(reinterpret_cast<const char*>(null_text.Raw().word1), "") << "null writes the empty text";
}

TEST_F(PropertyValues, CursorNumbersTranslateBothWaysAndUnknownOnesPass) {
  EXPECT_EQ(CursorIdentifierOfNumber(1), 32512u);
  EXPECT_EQ(CursorIdentifierOfNumber(14), 32649u);
  EXPECT_EQ(CursorIdentifierOfNumber(0), 0u);
  EXPECT_EQ(CursorIdentifierOfNumber(15), 15u);
  EXPECT_EQ(CursorNumberOfIdentifier(32513), 3u);
  EXPECT_EQ(CursorNumberOfIdentifier(12345), 12345u);
  for (std::uint32_t n = 0; n <= 14; ++n) EXPECT_EQ(CursorNumberOfIdentifier(CursorIdentifierOfNumber(n)), n);

  const std::uint8_t stored[] = {0x01, 0x7F, 0, 0, 0xAA};  // IDC_IBEAM's identifier and one more byte
  const std::uint64_t read = Read(1011, Address(stored, sizeof stored));
  const ByteSetView view = ByteSetView::Of(Block<void>(read));
  ASSERT_EQ(view.size, 5u);
  EXPECT_EQ(view.data[0], 3u);
  EXPECT_EQ(view.data[4], 0xAA);

  // Writing the byte set back translates the number to the identifier again.
  WriteValue w(1011, -1, read, {}, fonts_);
  const RawValue raw = w.Raw();
  ASSERT_EQ(raw.word2, 5u);
  EXPECT_EQ(std::memcmp(reinterpret_cast<const void*>(raw.word1), stored, 5), 0);
  memory_.Free(Block(read));

  Bytes short_data{1, 0};
  CursorDataToIdentifier(short_data);
  EXPECT_EQ(short_data, (Bytes{1, 0})) << "data shorter than a word is left alone";
}

TEST_F(PropertyValues, FontMembersOfTheDefaultFont) {
  EXPECT_EQ(Read(1013, {}, 1), 0u) << "the default font is not bold";
  EXPECT_EQ(Read(1013, {}, 5), 8u);
  const std::uint64_t face = Read(1013, {}, 6);
  EXPECT_STREQ(Block(face), "宋体");
  memory_.Free(Block(face));
  const std::uint8_t odd[59] = {};
  EXPECT_EQ(Read(1013, Address(odd, 59), 5), 8u) << "a 59-byte description stands for the default font";

  const std::uint64_t record = Read(1013, {}, -1);
  const FontRecord* r = Block<FontRecord>(record);
  EXPECT_EQ(r->size, 8);
  EXPECT_EQ(r->bold, 0);
  EXPECT_STREQ(r->face_name, "宋体");
  memory_.Free(r->face_name);
  memory_.Free(Block(record));
  EXPECT_EQ(heap_.Live(), 0u);
}

TEST_F(PropertyValues, FontMembersAreWrittenOneByOne) {
  Bytes font = fonts_.default_font;
  SetFontMember(font, 0, 3700, 96);
  EXPECT_EQ(FontMember(font, 0, 96), 100) << "the angle modulo 3600";
  std::int32_t escapement;
  std::memcpy(&escapement, font.data() + 8, 4);
  EXPECT_EQ(escapement, 100);
  SetFontMember(font, 1, 1, 96);
  EXPECT_EQ(FontMember(font, 1, 96), 1);
  SetFontMember(font, 4, 1, 96);
  EXPECT_EQ(FontMember(font, 4, 96), 1);
  EXPECT_EQ(FontMember(font, 2, 96), 0);
  SetFontMember(font, 5, 12, 96);
  EXPECT_EQ(FontMember(font, 5, 96), 12);
  SetFontMember(font, 6, ValueOf("Arial"), 96);
  EXPECT_EQ(FontFaceName(font), "Arial");
  SetFontMember(font, 6, ValueOf("0123456789012345678901234567890123"), 96);
  EXPECT_EQ(FontFaceName(font), "宋体") << "a face name longer than 31 bytes";
  SetFontMember(font, 6, 0, 96);
  EXPECT_EQ(FontFaceName(font), "宋体") << "an empty face name";

  char face[] = "Tahoma";
  const FontRecord all{45, 1, 1, 1, 0, 20, face};
  WriteValue w(1013, -1, ValueOf(&all), {}, fonts_);
  ASSERT_EQ(w.Raw().word2, kFontDescriptionSize);
  const Bytes written = w.Storage();
  EXPECT_EQ(FontMember(written, 0, 96), 45);
  EXPECT_EQ(FontMember(written, 3, 96), 1);
  EXPECT_EQ(FontMember(written, 5, 96), 20);
  EXPECT_EQ(FontFaceName(written), "Tahoma");

  // One member written onto the unit's current font keeps the others.
  WriteValue italic(1013, 2, 1, RawValue{reinterpret_cast<std::uintptr_t>(written.data()), 60}, fonts_);
  EXPECT_EQ(FontMember(italic.Storage(), 2, 96), 1);
  EXPECT_EQ(FontFaceName(italic.Storage()), "Tahoma");
}

TEST(EventWords, SimpleRecordsHandOverTheirCountOfWords) {
  EventRecord r;
  r.argument_count = 2;
  r.arguments[0] = 7;
  r.arguments[1] = 8;
  r.arguments[2] = 9;
  EXPECT_EQ(EventWords(r), (std::vector<std::uintptr_t>{7, 8}));
  r.argument_count = 9;
  EXPECT_EQ(EventWords(r).size(), 5u) << "never more than five";
  r.argument_count = -1;
  EXPECT_TRUE(EventWords(r).empty());
}

TEST(EventWords, TypedArgumentsFollowTheirTypes) {
  TypedEventRecord r;
  r.argument_count = 6;
  r.arguments[0].value = ValueRecord::Make(type::kByte, 0xFFFFFF80);
  r.arguments[1].value = ValueRecord::Make(type::kShort, 0x0000FFFE);
  r.arguments[2].value = ValueRecord::OfDouble(1.0);
  r.arguments[3].value = ValueRecord::OfInt(-3);
  r.arguments[4].value = ValueRecord::Make(0x00010003, 0x0000000500000004ull);
  r.arguments[5].value = ValueRecord::OfInt(1);
  r.arguments[5].flags = event_arg::kBothWords;
  const auto words = TypedEventWords(r);
  ASSERT_EQ(words.size(), 9u);
  EXPECT_EQ(words[0], 0x80u) << "a byte is zero-extended";
  EXPECT_EQ(static_cast<std::intptr_t>(words[1]), -2) << "a short is sign-extended";
  EXPECT_EQ(words[2], 0u);
  EXPECT_EQ(words[3], 0x3FF00000u) << "a double passes both words, word 1 first";
  EXPECT_EQ(static_cast<std::int32_t>(words[4]), -3);
  EXPECT_EQ(words[5], 4u);
  EXPECT_EQ(words[6], 5u);
  EXPECT_EQ(words[7], 1u);
  EXPECT_EQ(words[8], 0u);

  int target = 0;
  TypedEventRecord by_reference;
  by_reference.argument_count = 1;
  by_reference.arguments[0].value = ValueRecord::OfPointer(type::kDouble, &target);
  by_reference.arguments[0].flags = event_arg::kByReference;
  EXPECT_EQ(TypedEventWords(by_reference), (std::vector<std::uintptr_t>{reinterpret_cast<std::uintptr_t>(&target)}));
}

TEST(InputCodes, KeypadFoldsOntoTheMainKeyboard) {
  EXPECT_EQ(FoldKeyCode(0x65), 0x35u) << "keypad 5";
  EXPECT_EQ(FoldKeyCode(0x60), 0x30u);
  EXPECT_EQ(FoldKeyCode(0x69), 0x39u);
  EXPECT_EQ(FoldKeyCode(0x6D), 189u);
  EXPECT_EQ(FoldKeyCode(0x6E), 190u);
  EXPECT_EQ(FoldKeyCode(0x6F), 191u);
  EXPECT_EQ(FoldKeyCode(0x6A), 0x6Au) << "keypad multiply stays";
  EXPECT_EQ(FoldKeyCode('A'), static_cast<std::uint32_t>('A'));
  EXPECT_EQ(KeyState(true, true, true), 7u);
  EXPECT_EQ(KeyState(false, true, false), 2u);
  EXPECT_EQ(WheelSteps(0xFF880000u), -1) << "a delta of -120";
  EXPECT_EQ(WheelSteps(240u << 16), 2);
  EXPECT_EQ(PositionX(0xFFFF0010u), 0x10u);
  EXPECT_EQ(PositionY(0xFFFF0010u), 0xFFFFu) << "coordinates are unsigned 16-bit halves";
}

TEST(FocusOrder, EqualTabOrdersPutTheLaterRecordFirst) {
  const auto order = FocusOrder({{1, 5}, {2, 0}, {3, 5}, {4, 0}, {5, 1}});
  EXPECT_EQ(order, (std::vector<FocusCandidate>{{4, 0}, {2, 0}, {5, 1}, {3, 5}, {1, 5}}));
  EXPECT_EQ(NextFocus(order, 4, true), 2u);
  EXPECT_EQ(NextFocus(order, 1, true), 4u) << "wraps around";
  EXPECT_EQ(NextFocus(order, 4, false), 1u);
  EXPECT_EQ(NextFocus(order, 9, true), 4u) << "from a non-candidate to the first";
  EXPECT_EQ(NextFocus(order, std::nullopt, false), 1u) << "and backwards to the last";
  EXPECT_FALSE(NextFocus({}, 1, true));
  EXPECT_EQ(FocusPastThreshold(order, 1, true), 5u);
  EXPECT_EQ(FocusPastThreshold(order, 1, false), 2u);
  EXPECT_FALSE(FocusPastThreshold(order, 6, true)) << "no wrapping";
  EXPECT_FALSE(FocusPastThreshold(order, 0, false));
}

}  // namespace
}  // namespace quarrow::forms
