// The core library's rows for the units built here: names, flags, property tables and the operations each
// interface routine hands out; and VisitTexts over each type's stored block.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/runtime_fixture.h"
#include "units/button_properties.h"
#include "units/check_box_properties.h"
#include "commands/core_unit_types.h"
#include "units/edit_box_properties.h"
#include "units/group_box_properties.h"
#include "units/list_box_properties.h"
#include "base/unit_interface.h"

namespace quarrow::testing {
namespace {

struct Row {
  std::uint32_t number;
  const char* chinese;
  const char* english;
  std::uint32_t flags;
  std::uint32_t properties;
  bool wants_key;
  bool default_button;
};

const Row kRows[] = {
    {core_type::kEditBox, "编辑框", "EditBox", 0x80000040, 29, true, false},
    {core_type::kGroupBox, "分组框", "GroupBox", 0x840140C0, 13, false, false},
    {core_type::kButton, "按钮", "Button", 0x80000840, 14, false, true},
    {core_type::kCheckBox, "选择框", "CheckBox", 0x80001040, 21, false, false},
    {core_type::kListBox, "列表框", "ListBox", 0x80000040, 22, false, false},
};

TEST(CoreUnitTypes, RowsNameTheirTypesAndHandOutTheirOperations) {
  for (const Row& row : kRows) {
    const UnitTypeEntry& entry = kCoreUnitTypes[row.number - 1];
    SCOPED_TRACE(row.english);
    EXPECT_STREQ(entry.chinese_name, row.chinese);
    EXPECT_STREQ(entry.english_name, row.english);
    EXPECT_EQ(entry.flags, row.flags);
    EXPECT_EQ(entry.property_count, row.properties);
    ASSERT_NE(entry.properties, nullptr);
    EXPECT_EQ(entry.properties[0].type_word, 0xE00003E9u);
    for (std::int32_t code : {1, 4, 5, 6, 9}) EXPECT_NE(entry.unit_interface(code), nullptr) << code;
    EXPECT_EQ(entry.unit_interface(8) != nullptr, row.wants_key);
    EXPECT_EQ(entry.unit_interface(10) != nullptr, row.default_button);
    for (std::int32_t code : {0, 2, 3, 7, 11, 12, -1}) EXPECT_EQ(entry.unit_interface(code), nullptr) << code;
  }
  EXPECT_EQ(UnitTypeOperation<SavePropertiesOperation>(kCoreUnitTypes[core_type::kEditBox - 1].unit_interface, 5),
            UnitTypeOperation<SavePropertiesOperation>(kCoreUnitTypes[core_type::kListBox - 1].unit_interface, 5))
      << "one shared SaveProperties";
}

SeenTexts Visit(std::uint32_t type_number, const Bytes& block, Bytes* changed) {
  return VisitTexts(kCoreUnitTypes[type_number - 1].unit_interface, block,
                    [](char* text) {
                      if (text[0] != 0) text[0] = '#';
                    },
                    changed);
}

Bytes Font(const char* face) {
  Bytes font(60, 0);
  std::strcpy(reinterpret_cast<char*>(font.data()) + 28, face);
  return font;
}

TEST(CoreUnitTypes, VisitTextsSeesEveryTextOfTheBlockAndKeepsTheChanges) {
  EditBoxProperties edit;
  edit.text = "t";
  edit.font = Font("f");
  edit.data_source = "s";
  edit.data_column = "c";
  Bytes changed;
  EXPECT_EQ(Visit(core_type::kEditBox, edit.Save(), &changed),
            (SeenTexts{{"t", 0}, {"f", 1}, {"s", 0}, {"c", 0}}));
  EditBoxProperties after;
  ASSERT_TRUE(after.Load(changed));
  EXPECT_EQ(after.text, "#");
  EXPECT_EQ(after.data_column, "#");

  ListBoxProperties list;
  list.items = {"a", "b"};
  list.data_source = "s";
  EXPECT_EQ(Visit(core_type::kListBox, list.Save(), &changed),
            (SeenTexts{{"a", 0}, {"b", 0}, {"s", 0}, {"", 0}}));
  ListBoxProperties list_after;
  ASSERT_TRUE(list_after.Load(changed));
  EXPECT_EQ(list_after.items, (TextList{"#", "#"}));

  CheckBoxProperties check;
  check.text = "k";
  EXPECT_EQ(Visit(core_type::kCheckBox, check.Save(), &changed),
            (SeenTexts{{"k", 0}, {"", 0}, {"", 0}}));
  GroupBoxProperties group;
  group.text = "g";
  group.font = Font("h");
  EXPECT_EQ(Visit(core_type::kGroupBox, group.Save(), &changed),
            (SeenTexts{{"g", 0}, {"h", 1}}));

  ByteWriter later;
  later.U32(edit_box::kBlockVersion + 1);
  EXPECT_TRUE(Visit(core_type::kEditBox, later.Release(), &changed).empty());
  EXPECT_TRUE(changed.empty()) << "a block that does not load gives no new block";
}

}  // namespace
}  // namespace quarrow::testing
