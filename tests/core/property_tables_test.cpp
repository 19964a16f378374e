// The property tables the unit-type entries point to, and the local indexes that name their entries.
#include <gtest/gtest.h>

#include <span>
#include <string>

#include "units/button_properties.h"
#include "units/check_box_properties.h"
#include "units/common_dlg_properties.h"
#include "units/edit_box_properties.h"
#include "units/group_box_properties.h"
#include "units/label_properties.h"
#include "units/list_box_properties.h"
#include "units/list_view_properties.h"
#include "units/process_bar_properties.h"

namespace quarrow {
namespace {

struct Table {
  const char* name;
  std::span<const PropertyEntry> entries;
  std::size_t count;  // what the unit-type entry reports
  bool core;          // core library entries carry 0x8000
};

const Table kTables[] = {
    {"EditBox", edit_box::kPropertyTable, 29, true},     {"GroupBox", group_box::kPropertyTable, 13, true},
    {"Label", label::kPropertyTable, 29, true},          {"Button", button::kPropertyTable, 14, true},
    {"CheckBox", check_box::kPropertyTable, 21, true},   {"ListBox", list_box::kPropertyTable, 22, true},
    {"ProcessBar", process_bar::kPropertyTable, 14, true}, {"CommonDlg", common_dlg::kPropertyTable, 30, true},
    {"ListView", list_view::kPropertyTable, 39, false},
};

TEST(PropertyTables, HaveTheCountsAndCommonEntriesOfTheirUnitTypes) {
  const std::uint32_t common[] = {0xE00003E9, 0xE00003E9, 0xE00003E9, 0xE00003E9,
                                  0xE00003ED, 0xE00003EB, 0xE00003EB, 0xE00003F3};
  for (const Table& t : kTables) {
    SCOPED_TRACE(t.name);
    ASSERT_EQ(t.entries.size(), t.count);
    for (std::size_t i = 0; i < kCommonPropertyCount; ++i) EXPECT_EQ(t.entries[i].type_word, common[i]) << i;
    for (const PropertyEntry& e : t.entries) {
      EXPECT_EQ(e.reserved[0] | e.reserved[1] | e.reserved[2] | e.reserved2, 0u);
    }
    for (std::size_t i = kCommonPropertyCount; i < t.entries.size(); ++i) {
      const std::uint16_t flags = t.entries[i].Flags();
      if (t.core) {
        EXPECT_EQ(flags & 0xFFE0, 0x8000) << "property " << i;
      } else {
        EXPECT_TRUE(flags == 0 || flags == 1 || flags == 4) << "property " << i;
      }
    }
  }
}

// Each named local index must land on an entry of the kind it names.
struct Named {
  std::span<const PropertyEntry> table;
  std::int32_t local;
  std::uint32_t type_word;
};

TEST(PropertyTables, NamedIndexesLandOnTheirEntries) {
  const Named named[] = {
      {edit_box::kPropertyTable, edit_box::kText, 0x800003ED},
      {edit_box::kPropertyTable, edit_box::kFont, 0x800003F5},
      {edit_box::kPropertyTable, edit_box::kPasswordChar, 0x800103ED},
      {edit_box::kPropertyTable, edit_box::kAdjusterMax, 0x800103E9},
      {edit_box::kPropertyTable, edit_box::kSelText, 0x800803ED},
      {edit_box::kPropertyTable, edit_box::kDataColumn, 0x800003FC},
      {label::kPropertyTable, label::kBorderWidth, 0x800103E9},
      {label::kPropertyTable, label::kFont, 0x800003F5},
      {label::kPropertyTable, label::kPicture, 0x800003F1},
      {label::kPropertyTable, label::kPictureMode, 0x800103EE},
      {label::kPropertyTable, label::kGradientColor3, 0x800103F7},
      {label::kPropertyTable, label::kWordWrap, 0x800003EB},
      {label::kPropertyTable, label::kDataSource, 0x800003FA},
      {button::kPropertyTable, button::kPicture, 0x800003F1},
      {button::kPropertyTable, button::kText, 0x800003ED},
      {button::kPropertyTable, button::kFont, 0x800003F5},
      {check_box::kPropertyTable, check_box::kText, 0x800003ED},
      {check_box::kPropertyTable, check_box::kBackColor, 0x800003F9},
      {check_box::kPropertyTable, check_box::kChecked, 0x800003EB},
      {check_box::kPropertyTable, check_box::kDataColumn, 0x800003FC},
      {group_box::kPropertyTable, group_box::kText, 0x800003ED},
      {group_box::kPropertyTable, group_box::kFont, 0x800003F5},
      {list_box::kPropertyTable, list_box::kFont, 0x800003F5},
      {list_box::kPropertyTable, list_box::kSelection, 0x800003E9},
      {list_box::kPropertyTable, list_box::kItems, 0x80000400},
      {list_box::kPropertyTable, list_box::kItemData, 0x80000400},
      {list_box::kPropertyTable, list_box::kDataFlag, 0x801003EB},
      {process_bar::kPropertyTable, process_bar::kBorder, 0x800003EE},
      {process_bar::kPropertyTable, process_bar::kPosition, 0x800003E9},
      {common_dlg::kPropertyTable, common_dlg::kDialogType, 0x800203EE},
      {common_dlg::kPropertyTable, common_dlg::kFilterIndex, 0x800103E9},
      {common_dlg::kPropertyTable, common_dlg::kNoChangeDir, 0x800203EB},
      {common_dlg::kPropertyTable, common_dlg::kFontColor, 0x800003F6},
      {common_dlg::kPropertyTable, common_dlg::kFontName, 0x800003ED},
      {common_dlg::kPropertyTable, common_dlg::kFontSize, 0x800203E9},
      {common_dlg::kPropertyTable, common_dlg::kHelpCommand, 0x800003EE},
      {common_dlg::kPropertyTable, common_dlg::kHelpContext, 0x800103E9},
      {list_view::kPropertyTable, list_view::kFont, 0x000003F5},
      {list_view::kPropertyTable, list_view::kIconAlignment, 0x000103EE},
      {list_view::kPropertyTable, list_view::kColumns, 0x00010400},
      {list_view::kPropertyTable, list_view::kHeaderImages, 0x000103FF},
      {list_view::kPropertyTable, list_view::kStateImages, 0x000003FF},
      {list_view::kPropertyTable, list_view::kHandCursor, 0x000103EB},
      {list_view::kPropertyTable, list_view::kSortOrder, 0x000003EE},
      {list_view::kPropertyTable, list_view::kCurrentItem, 0x000003E9},
      {list_view::kPropertyTable, list_view::kItems, 0x00000400},
      {list_view::kPropertyTable, list_view::kEditedText, 0x000403ED},
  };
  for (const Named& n : named) {
    const std::size_t at = static_cast<std::size_t>(PropertyIndex(n.local));
    ASSERT_LT(at, n.table.size());
    EXPECT_EQ(n.table[at].type_word, n.type_word) << "local index " << n.local;
  }
}

TEST(PropertyTables, TheLastNamedIndexIsTheLastEntry) {
  EXPECT_EQ(PropertyIndex(edit_box::kDataColumn) + 1, 29);
  EXPECT_EQ(PropertyIndex(label::kDataColumn) + 1, 29);
  EXPECT_EQ(PropertyIndex(button::kFont) + 1, 14);
  EXPECT_EQ(PropertyIndex(check_box::kDataColumn) + 1, 21);
  EXPECT_EQ(PropertyIndex(group_box::kFont) + 1, 13);
  EXPECT_EQ(PropertyIndex(list_box::kDataFlag) + 1, 22);
  EXPECT_EQ(PropertyIndex(process_bar::kPosition) + 1, 14);
  EXPECT_EQ(PropertyIndex(common_dlg::kHelpContext) + 1, 30);
  EXPECT_EQ(PropertyIndex(list_view::kEditedText) + 1, 39);
}

}  // namespace
}  // namespace quarrow
