#include "tests/win/unit_test_form.h"

#include <string>
#include <utility>
#include <vector>

#include "tests/support/form_builder.h"
#include "units/button_properties.h"
#include "units/check_box_properties.h"
#include "commands/core_unit_types.h"
#include "units/edit_box_properties.h"
#include "units/group_box_properties.h"
#include "units/list_box_properties.h"

namespace quarrow::testing {

namespace {

using forms::EventBinding;
using forms::UnitRecord;
using forms::WindowDescription;
namespace w = unit_window;
namespace u = unit_id;
namespace t = unit_tag;

WindowDescription Buttons() {
  ButtonProperties plain;
  plain.text = "普通";
  ButtonProperties preferred;
  preferred.text = "确定";
  preferred.button_type = 1;
  ButtonProperties pictured;
  pictured.text = "图片";
  pictured.picture = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'};
  return Window(w::kButtons,
                {{kWindowRecordId, PlacedWindow("按钮", 40, 40, 320, 200)},
                 {u::kButton, Unit(core_type::kButton, "按钮_普通", 10, 10, 100, 28, plain.Save(), 0,
                                   {On(0, t::kButtonClicked), On(-7, t::kButtonGotFocus),
                                    On(-8, t::kButtonLostFocus)})},
                 {u::kDefaultButton, Unit(core_type::kButton, "按钮_确定", 10, 50, 100, 28, preferred.Save(), 1,
                                          {On(0, t::kDefaultClicked)})},
                 {u::kPictureButton, Unit(core_type::kButton, "按钮_图片", 10, 90, 100, 28, pictured.Save(), 2)}});
}

WindowDescription Edits() {
  EditBoxProperties plain;
  EditBoxProperties low;
  EditBoxProperties automatic;
  automatic.adjuster_style = 1;
  automatic.text = "100";
  EditBoxProperties manual;
  manual.adjuster_style = 2;
  EditBoxProperties multi;
  multi.multi_line = true;
  multi.scroll_bars = 2;
  return Window(w::kEdits,
                {{kWindowRecordId, PlacedWindow("编辑框", 40, 40, 400, 260)},
                 {u::kEdit, Unit(core_type::kEditBox, "编辑框_一", 10, 10, 150, 24, plain.Save(), 0,
                                 {On(0, t::kEditChanged), On(-7, t::kEditGotFocus), On(-8, t::kEditLostFocus)})},
                 {u::kOtherEdit, Unit(core_type::kEditBox, "编辑框_二", 10, 40, 150, 24, plain.Save(), 1,
                                      {On(0, t::kOtherEditChanged)})},
                 {u::kLowEdit, Unit(core_type::kEditBox, "编辑框_矮", 10, 70, 150, 5, low.Save(), 2)},
                 {u::kAutoEdit, Unit(core_type::kEditBox, "编辑框_自动", 10, 100, 100, 24, automatic.Save(), 3,
                                     {On(0, t::kAutoChanged)})},
                 {u::kManualEdit, Unit(core_type::kEditBox, "编辑框_手动", 10, 140, 100, 24, manual.Save(), 4,
                                       {On(1, t::kAdjusterPressed)})},
                 {u::kMultiEdit, Unit(core_type::kEditBox, "编辑框_多行", 200, 10, 160, 90, multi.Save(), 5,
                                      {On(0, t::kMultiChanged)})}});
}

WindowDescription Checks() {
  CheckBoxProperties plain;
  plain.text = "选项(&K)";
  CheckBoxProperties checked;
  checked.text = "已选";
  checked.checked = true;
  return Window(w::kChecks,
                {{kWindowRecordId, PlacedWindow("选择框", 40, 40, 320, 200)},
                 {u::kCheck, Unit(core_type::kCheckBox, "选择框_一", 10, 10, 140, 24, plain.Save(), 0,
                                  {On(0, t::kCheckClicked), On(-7, t::kCheckGotFocus)})},
                 {u::kCheckedCheck, Unit(core_type::kCheckBox, "选择框_二", 10, 50, 140, 24, checked.Save(), 1,
                                         {On(0, t::kCheckedCheckClicked)})}});
}

WindowDescription Groups() {
  GroupBoxProperties group;
  group.text = "分组";
  ButtonProperties button;
  button.text = "组内按钮";
  CheckBoxProperties check;
  check.text = "组内选项";
  EditBoxProperties edit;
  ListBoxProperties list;
  list.items = {"一", "二"};
  EditBoxProperties adjusted;
  adjusted.adjuster_style = 2;
  return Window(w::kGroups,
                {{kWindowRecordId, PlacedWindow("分组框", 40, 40, 360, 300)},
                 {u::kGroup, Unit(core_type::kGroupBox, "分组框_一", 10, 10, 320, 240, group.Save(), 0)},
                 {u::kGroupButton, Unit(core_type::kButton, "按钮_组内", 10, 20, 120, 28, button.Save(), 1,
                                        {On(0, t::kGroupButtonClicked)}, u::kGroup)},
                 {u::kGroupCheck, Unit(core_type::kCheckBox, "选择框_组内", 10, 60, 140, 24, check.Save(), 2,
                                       {On(0, t::kGroupCheckClicked)}, u::kGroup)},
                 {u::kGroupEdit, Unit(core_type::kEditBox, "编辑框_组内", 10, 100, 140, 24, edit.Save(), 3,
                                      {On(0, t::kGroupEditChanged)}, u::kGroup)},
                 {u::kGroupList, Unit(core_type::kListBox, "列表框_组内", 170, 20, 120, 100, list.Save(), 4,
                                      {On(0, t::kGroupListSelectionChanged)}, u::kGroup)},
                 {u::kGroupAdjusted, Unit(core_type::kEditBox, "编辑框_组内调节", 10, 140, 100, 24, adjusted.Save(), 5,
                                          {On(1, t::kGroupAdjusterPressed)}, u::kGroup)}});
}

WindowDescription Lists() {
  ListBoxProperties list;
  list.items = {"甲", "乙", "丙"};
  ByteWriter data;
  data.U32(7);
  list.item_data = data.Release();
  ListBoxProperties multi;
  multi.items = {"一", "二", "三"};
  multi.multi_select = true;
  ListBoxProperties odd;
  odd.items = {"子", "丑"};
  odd.row_spacing = -40;
  odd.selection = 9;
  return Window(w::kLists,
                {{kWindowRecordId, PlacedWindow("列表框", 40, 40, 400, 240)},
                 {u::kList, Unit(core_type::kListBox, "列表框_一", 10, 10, 150, 140, list.Save(), 0,
                                 {On(0, t::kSelectionChanged), On(1, t::kDoubleClicked), On(-7, t::kListGotFocus),
                                  On(-8, t::kListLostFocus)})},
                 {u::kMultiList, Unit(core_type::kListBox, "列表框_多选", 200, 10, 150, 140, multi.Save(), 1,
                                      {On(0, t::kMultiSelectionChanged)})},
                 {u::kOddList, Unit(core_type::kListBox, "列表框_怪块", 200, 160, 150, 40, odd.Save(), 2)}});
}

WindowDescription Binding() {
  UnitRecord provider = ChildRecord(0x00020001, "数据源", 250, 10, 80, 24, 9);
  EditBoxProperties edit;
  edit.data_source = "数据源";
  edit.data_column = "名称";
  CheckBoxProperties check;
  check.data_source = "数据源";
  check.data_column = "选中";
  ListBoxProperties list;
  list.items = {"甲", "乙", "丙"};
  list.sorted = true;  // but unsorted, since it binds
  list.data_source = "数据源";
  list.data_column = "地区";
  EditBoxProperties unbound;
  unbound.data_source = "编辑框_绑定";  // a unit of this window, but no provider
  unbound.data_column = "名称";
  return Window(w::kBinding,
                {{kWindowRecordId, PlacedWindow("绑定", 40, 40, 400, 260)},
                 {u::kProvider, provider},
                 {u::kBoundEdit, Unit(core_type::kEditBox, "编辑框_绑定", 10, 10, 150, 24, edit.Save(), 0,
                                      {On(0, t::kBoundEditChanged)})},
                 {u::kBoundCheck, Unit(core_type::kCheckBox, "选择框_绑定", 10, 40, 150, 24, check.Save(), 1,
                                       {On(0, t::kBoundCheckClicked)})},
                 {u::kBoundList, Unit(core_type::kListBox, "列表框_绑定", 10, 70, 150, 100, list.Save(), 2,
                                      {On(0, t::kBoundListSelectionChanged)})},
                 {u::kUnboundEdit, Unit(core_type::kEditBox, "编辑框_未绑定", 10, 180, 150, 24, unbound.Save(), 3)}});
}

WindowDescription BadBlock() {
  ByteWriter later;
  later.U32(button::kBlockVersion + 1);
  return Window(w::kBadBlock,
                {{kWindowRecordId, PlacedWindow("坏块", 40, 40, 200, 120)},
                 {u::kBadButton, Unit(core_type::kButton, "按钮_坏", 10, 10, 80, 24, later.Release(), 0)}});
}

}  // namespace

Bytes UnitTestForm() {
  forms::FormDescription form;
  form.windows = {Buttons(), Edits(), Checks(), Groups(), Lists(), Binding(), BadBlock()};
  return forms::WriteFormDescription(form);
}

}  // namespace quarrow::testing
