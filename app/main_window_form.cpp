#include "app/main_window_form.h"

#include <string>
#include <vector>

#include "app/main_window.h"
#include "forms/window_properties.h"
#include "units/button_properties.h"
#include "units/check_box_properties.h"
#include "units/edit_box_properties.h"
#include "units/label_properties.h"
#include "units/list_box_properties.h"
#include "units/list_view_data.h"
#include "units/list_view_properties.h"

namespace quarrow::app {

namespace {

using forms::EventBinding;
using forms::UnitRecord;

// The stored property blocks of the window's units. Everything not set here keeps its unit type's default.

Bytes Label(const char* caption) {
  LabelProperties p;
  p.text = caption;
  return p.Save();
}

Bytes EditBox(const char* text, std::int32_t max_length = 0) {
  EditBoxProperties p;
  p.text = text;
  p.alignment = 1;  // centred
  p.max_length = max_length;
  return p.Save();
}

Bytes Button(const char* caption) {
  ButtonProperties p;
  p.text = caption;
  return p.Save();
}

Bytes CheckedBox(const char* caption) {
  CheckBoxProperties p;
  p.text = caption;
  p.checked = true;
  return p.Save();
}

Bytes NameList() {
  ListBoxProperties p;
  p.border = 5;
  p.multi_select = true;
  return p.Save();
}

Bytes ResultList() {
  ListViewProperties p;
  p.view_type = list_view::kReport;
  const ListViewColumn columns[] = {
      {false, -1, 0, 60, "序号"},
      {false, -1, 0, 350, "地址"},
      {false, -1, 0, 50, ""},
  };
  p.columns = WriteListViewColumns(columns);
  return p.Save();
}

// No stored block: every property has its unit type's default.
Bytes Defaults() { return {}; }

Bytes MainWindow() {
  forms::WindowProperties p;
  p.title = kProgramName;
  return forms::SaveWindowProperties(p);
}

struct Row {
  const char* name;
  DataType type;
  std::uint32_t id;
  std::uint32_t parent;  // 0: the window
  std::int32_t left, top, width, height;
  Bytes properties;
  std::vector<EventBinding> events = {};
};

EventBinding On(std::int32_t event, HandlerSlot slot) { return {event, HandlerOffset(slot)}; }

// The units in the order of the form description, which is also the order the window creates them in (from the
// last to the first).
std::vector<Row> Units() {
  using namespace unit;
  using namespace unit_type;
  return {
      {"标签13", kLabel, kPercentLabel, kInputFrame, 224, 72, 32, 20, Label("%")},
      {"按钮1", kButton, kClearButton, 0, 536, 280, 96, 24, Button("全部清空"),
       {On(event::kClicked, HandlerSlot::kClearResults)}},
      {"进度条1", kProcessBar, kProgressBar, kInputFrame, 128, 72, 88, 20, Defaults()},
      {"编辑框_最大室", kEditBox, kRoomMax, kInputFrame, 187, 143, 30, 20, EditBox("99")},
      {"标签9", kLabel, UnitId(0xBA), kInputFrame, 168, 143, 20, 20, Label("—")},
      {"标签10", kLabel, UnitId(0xBB), kInputFrame, 224, 143, 40, 20, Label("**室")},
      {"编辑框_最小室", kEditBox, kRoomMin, kInputFrame, 128, 143, 30, 20, EditBox("1")},
      {"编辑框_最大单元", kEditBox, kUnitMax, kInputFrame, 187, 120, 30, 20, EditBox("99")},
      {"标签7", kLabel, UnitId(0xBE), kInputFrame, 168, 120, 20, 20, Label("—")},
      {"标签8", kLabel, UnitId(0xBF), kInputFrame, 224, 120, 40, 20, Label("单元")},
      {"编辑框_最小单元", kEditBox, kUnitMin, kInputFrame, 128, 120, 30, 20, EditBox("1")},
      {"编辑框_最大号楼", kEditBox, kBuildingMax, kInputFrame, 187, 98, 30, 20, EditBox("99")},
      {"标签5", kLabel, UnitId(0xC2), kInputFrame, 168, 98, 20, 20, Label("—")},
      {"标签6", kLabel, UnitId(0xC3), kInputFrame, 224, 98, 30, 20, Label("号楼")},
      {"编辑框_最小号楼", kEditBox, kBuildingMin, kInputFrame, 128, 98, 30, 20, EditBox("1")},
      {"按钮_添加小区", kButton, kAddCommunityButton, kInputFrame, 332, 47, 48, 24, Button("添加"),
       {On(event::kClicked, HandlerSlot::kAddCommunity)}},
      {"列表框_小区", kListBox, kCommunityList, kInputFrame, 280, 96, 100, 152, NameList(),
       {On(event::kKeyDown, HandlerSlot::kCommunityListKeyDown)}},
      {"编辑框_待添加_小区", kEditBox, kCommunityEntry, kInputFrame, 280, 72, 100, 20, EditBox(""),
       {On(event::kKeyDown, HandlerSlot::kCommunityEntryKeyDown)}},
      {"标签3", kLabel, UnitId(0xB8), kInputFrame, 280, 48, 40, 20, Label("#小区")},
      {"分组框1", kGroupBox, kGenerateFrame, kInputFrame, 128, 160, 136, 88, Defaults()},
      {"标签12", kLabel, UnitId(0xAB), kGenerateFrame, 8, 16, 56, 24, Label("生成数：")},
      {"编辑框_次数", kEditBox, kCountBox, kGenerateFrame, 64, 16, 56, 24, EditBox("", 5)},
      {"按钮_生成", kButton, kGenerateButton, kGenerateFrame, 80, 48, 40, 24, Button("生成"),
       {On(event::kClicked, HandlerSlot::kGenerate)}},
      {"选择框1", kCheckBox, kAutoModeBox, kGenerateFrame, 8, 48, 72, 24, CheckedBox("自动模式")},
      {"编辑框_最大号", kEditBox, kHouseNumberMax, kInputFrame, 187, 48, 30, 20, EditBox("99")},
      {"标签4", kLabel, UnitId(0xA5), kInputFrame, 168, 48, 20, 24, Label("—")},
      {"标签2", kLabel, UnitId(0xA6), kInputFrame, 224, 48, 30, 20, Label("**号")},
      {"编辑框_最小号", kEditBox, kHouseNumberMin, kInputFrame, 128, 48, 30, 20, EditBox("1")},
      {"按钮_添加路", kButton, kAddRoadButton, kInputFrame, 68, 47, 48, 24, Button("添加"),
       {On(event::kClicked, HandlerSlot::kAddRoad)}},
      {"列表框_路", kListBox, kRoadList, kInputFrame, 16, 96, 100, 152, NameList(),
       {On(event::kKeyDown, HandlerSlot::kRoadListKeyDown)}},
      {"编辑框_待添加_路", kEditBox, kRoadEntry, kInputFrame, 16, 72, 100, 20, EditBox(""),
       {On(event::kKeyDown, HandlerSlot::kRoadEntryKeyDown)}},
      {"标签1", kLabel, UnitId(0xA3), kInputFrame, 16, 48, 32, 20, Label("##路")},
      {"编辑框1", kEditBox, kPrefixBox, kInputFrame, 72, 16, 304, 24, EditBox("")},
      {"标签11", kLabel, UnitId(0x9F), kInputFrame, 8, 16, 56, 24, Label("地址前段：")},
      {"分组框2", kGroupBox, kInputFrame, 0, 8, 8, 398, 264, Defaults()},
      {"通用对话框1", kCommonDlg, kSaveDialog, 0, 160, 336, 26, 26, Defaults()},
      {"按钮_导出", kButton, kExportButton, 0, 632, 280, 96, 24, Button("导出到文件"),
       {On(event::kClicked, HandlerSlot::kExport)}},
      {"超级列表框1", kListView, kResultList, 0, 408, 14, 320, 257, ResultList()},
  };
}

// Every unit is visible but the dialog, which has no control to show; the units the user types into or operates
// are tab stops; every tab order is 0.
std::uint32_t StateFlags(DataType type) {
  std::uint32_t state = type == unit_type::kCommonDlg ? 0 : forms::state_flag::kVisible;
  switch (type) {
    case unit_type::kEditBox:
    case unit_type::kButton:
    case unit_type::kCheckBox:
    case unit_type::kListBox:
    case unit_type::kListView: state |= forms::state_flag::kTabStop; break;
    default: break;
  }
  return state;
}

UnitRecord WindowRecord() {
  UnitRecord window;
  window.unit_type = unit_type::kWindow;
  window.left = 50;
  window.top = 50;
  window.width = 743;
  window.height = 341;
  window.state = forms::state_flag::kVisible;
  window.events = {On(event::kWindowCreated, HandlerSlot::kSeedRandomNumbers)};
  window.properties = MainWindow();
  return window;
}

UnitRecord RecordOf(Row row) {
  UnitRecord record;
  record.unit_type = row.type;
  record.name = row.name;
  record.left = row.left;
  record.top = row.top;
  record.width = row.width;
  record.height = row.height;
  record.parent = row.parent;
  record.state = StateFlags(row.type);
  record.events = std::move(row.events);
  record.properties = std::move(row.properties);
  return record;
}

}  // namespace

forms::FormDescription MainWindowForm() {
  forms::WindowDescription window;
  window.id = kMainWindowId;
  window.units.Append(kWindowRecordId, forms::EncodeUnitRecord(WindowRecord()));
  for (Row& row : Units()) {
    const std::uint32_t id = row.id;
    window.units.Append(id, forms::EncodeUnitRecord(RecordOf(std::move(row))));
  }
  forms::FormDescription form;
  form.windows.push_back(std::move(window));
  return form;
}

}  // namespace quarrow::app
