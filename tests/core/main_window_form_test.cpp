// The application's window as the program will load it: the encoded form description read back.
#include "app/main_window_form.h"

#include <gtest/gtest.h>

#include <set>

#include "app/main_window.h"
#include "forms/window_properties.h"
#include "units/edit_box_properties.h"
#include "units/list_box_properties.h"
#include "units/list_view_data.h"
#include "units/list_view_properties.h"

namespace quarrow::app {
namespace {

class MainWindowFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const Bytes stream = forms::WriteFormDescription(MainWindowForm());
    auto read = forms::ReadFormDescription(stream);
    ASSERT_TRUE(read.has_value());
    ASSERT_EQ(read->windows.size(), 1u);
    EXPECT_EQ(forms::WriteFormDescription(*read), stream) << "the stream reads back to the same bytes";
    window_ = std::move(read->windows[0]);
  }

  forms::UnitRecord Record(std::uint32_t id) const {
    const Bytes* bytes = window_.units.RecordById(id);
    EXPECT_NE(bytes, nullptr);
    auto data = forms::ParseUnitRecord(*bytes);
    EXPECT_TRUE(data.has_value());
    return std::get<forms::UnitRecord>(*data);
  }

  forms::WindowDescription window_;
};

TEST_F(MainWindowFormTest, HoldsTheWindowAndItsThirtyEightUnits) {
  EXPECT_EQ(window_.id, kMainWindowId);
  ASSERT_EQ(window_.units.Count(), 39u);
  EXPECT_EQ(window_.units.IdAt(0), kWindowRecordId);
  std::set<std::uint32_t> ids;
  for (std::size_t i = 0; i < window_.units.Count(); ++i) ids.insert(window_.units.IdAt(i));
  EXPECT_EQ(ids.size(), 39u) << "ids are unique";
  EXPECT_EQ(window_.units.IdAt(1), unit::kPercentLabel) << "the units keep the order of the unit table";
  EXPECT_EQ(window_.units.IdAt(38), unit::kResultList);
}

TEST_F(MainWindowFormTest, TheWindowIsQuarrowCentredWithItsSeedHandler) {
  const forms::UnitRecord window = Record(kWindowRecordId);
  EXPECT_EQ(window.unit_type, unit_type::kWindow);
  EXPECT_EQ(window.width, 743);
  EXPECT_EQ(window.height, 341);
  forms::WindowProperties properties;
  ASSERT_TRUE(forms::LoadWindowProperties(window.properties, &properties));
  EXPECT_EQ(properties.title, "Quarrow");
  EXPECT_EQ(properties.start_position, 1);
  EXPECT_EQ(properties.border_style, 2);
  EXPECT_EQ(properties.escape_closes, 1);
  ASSERT_EQ(window.events.size(), 1u);
  EXPECT_EQ(window.events[0].event, event::kWindowCreated);
  EXPECT_EQ(window.events[0].handler, HandlerOffset(HandlerSlot::kSeedRandomNumbers));
}

TEST_F(MainWindowFormTest, EveryParentIsAContainerOfTheWindow) {
  for (std::size_t i = 1; i < window_.units.Count(); ++i) {
    const forms::UnitRecord r = Record(window_.units.IdAt(i));
    if (r.parent == 0) continue;
    EXPECT_EQ(Record(r.parent).unit_type, unit_type::kGroupBox) << r.name;
  }
  EXPECT_EQ(Record(unit::kCountBox).parent, unit::kGenerateFrame);
  EXPECT_EQ(Record(unit::kGenerateFrame).parent, unit::kInputFrame);
}

TEST_F(MainWindowFormTest, HandlersPointIntoTheHandlerTable) {
  int bound = 0;
  for (std::size_t i = 0; i < window_.units.Count(); ++i) {
    for (const forms::EventBinding& e : Record(window_.units.IdAt(i)).events) {
      EXPECT_GE(e.handler, 0);
      EXPECT_LT(e.handler, HandlerOffset(HandlerSlot::kCount));
      EXPECT_EQ(e.handler % kHandlerSlotSize, 0);
      ++bound;
    }
  }
  EXPECT_EQ(bound, 10);
  EXPECT_EQ(Record(unit::kRoadList).events[0].event, event::kKeyDown);
  EXPECT_EQ(Record(unit::kExportButton).events[0].handler, HandlerOffset(HandlerSlot::kExport));
}

TEST_F(MainWindowFormTest, StateFlagsMakeTheDialogInvisibleAndTheInputsTabStops) {
  EXPECT_EQ(Record(unit::kSaveDialog).state & forms::state_flag::kVisible, 0u);
  EXPECT_NE(Record(unit::kCountBox).state & forms::state_flag::kTabStop, 0u);
  EXPECT_NE(Record(unit::kResultList).state & forms::state_flag::kTabStop, 0u);
  EXPECT_EQ(Record(unit::kPercentLabel).state & forms::state_flag::kTabStop, 0u);
  EXPECT_EQ(Record(unit::kInputFrame).state, forms::state_flag::kVisible);
}

TEST_F(MainWindowFormTest, StoredBlocksCarryTheUnitsSettings) {
  EditBoxProperties count;
  ASSERT_TRUE(count.Load(Record(unit::kCountBox).properties));
  EXPECT_EQ(count.max_length, 5);
  EXPECT_EQ(count.alignment, 1);
  EditBoxProperties room_max;
  ASSERT_TRUE(room_max.Load(Record(unit::kRoomMax).properties));
  EXPECT_EQ(room_max.text, "99");

  ListBoxProperties roads;
  ASSERT_TRUE(roads.Load(Record(unit::kRoadList).properties));
  EXPECT_TRUE(roads.multi_select);
  EXPECT_EQ(roads.border, 5);
  EXPECT_FALSE(roads.sorted);

  ListViewProperties results;
  ASSERT_TRUE(results.Load(Record(unit::kResultList).properties));
  EXPECT_EQ(results.view_type, list_view::kReport);
  std::vector<ListViewColumn> columns;
  ASSERT_TRUE(ReadListViewColumns(results.columns, columns));
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_EQ(columns[1].title, "地址");
  EXPECT_EQ(columns[1].width, 350);

  EXPECT_TRUE(Record(unit::kProgressBar).properties.empty());
  EXPECT_TRUE(Record(unit::kSaveDialog).properties.empty());
}

}  // namespace
}  // namespace quarrow::app
