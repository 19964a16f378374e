#include "tests/win/list_view_test_form.h"

#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "app/main_window.h"
#include "app/main_window_form.h"
#include "tests/support/form_builder.h"
#include "units/button_properties.h"
#include "commands/core_unit_types.h"
#include "units/list_view.h"
#include "units/list_view_data.h"
#include "units/list_view_properties.h"

namespace quarrow::testing {

namespace {

using forms::EventBinding;
using forms::UnitRecord;
using forms::WindowDescription;
namespace w = list_window;
namespace u = list_unit;
namespace t = list_tag;

UnitRecord List(std::string name, std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
                Bytes block, std::int32_t tab_order, std::vector<EventBinding> events = {}) {
  return UnitWith(list_view::kUnitType, std::move(name), left, top, width, height, std::move(block), tab_order,
                  std::move(events));
}

ListViewItemRecord Row(std::string text, std::string tip = "", std::uint32_t data = 0) {
  ListViewItemRecord r;
  r.text = std::move(text);
  r.tip = std::move(tip);
  r.data = data;
  return r;
}

ListViewItemRecord Cell(std::uint8_t column, std::string text) {
  ListViewItemRecord r;
  r.kind = column;
  r.text = std::move(text);
  return r;
}

ListViewProperties ReportList(std::vector<ListViewItemRecord> rows) {
  ListViewProperties p;
  p.view_type = list_view::kReport;
  const ListViewColumn columns[] = {{false, -1, 0, 100, "名"}, {false, -1, 0, 100, "值"}, {false, -1, 0, 100, "注"}};
  p.columns = WriteListViewColumns(columns);
  p.items = WriteListViewItems(rows);
  return p;
}

WindowDescription Result() {
  ButtonProperties button;
  button.text = "按钮";
  UnitRecord other = ChildRecord(CoreUnitType(core_type::kButton), "按钮_其他", 10, 280, 80, 24, 1);
  other.properties = button.Save();
  return Window(w::kResult,
                {{kWindowRecordId, PlacedWindow("结果", 40, 40, 440, 360, {On(7, t::kIdle)})},
                 {u::kResultList, List("超级列表框1", 10, 10, 410, 257, ApplicationResultListBlock(), 0,
                                       {On(-7, t::kResultGotFocus), On(-8, t::kResultLostFocus),
                                        On(list_view::kCurrentItemChanged, t::kResultCurrentChanged),
                                        On(list_view::kColumnClicked, t::kResultColumnClicked),
                                        On(list_view::kClicked, t::kResultClicked)})},
                 {u::kButton, other}});
}

WindowDescription Checks() {
  ListViewProperties checks = ReportList({Row("甲"), Row("乙"), Row("丙")});
  checks.check_boxes = true;
  const ListViewProperties plain = ReportList({Row("子"), Row("丑")});
  return Window(w::kChecks,
                {{kWindowRecordId, PlacedWindow("选择", 40, 40, 560, 260)},
                 {u::kCheckList, List("超级列表框_选择", 10, 10, 250, 200, checks.Save(), 0,
                                      {On(list_view::kClicked, t::kCheckClicked),
                                       On(list_view::kRightClicked, t::kCheckRightClicked),
                                       On(list_view::kCheckStateChanged, t::kCheckStateChanged),
                                       On(list_view::kItemActivated, t::kCheckActivated),
                                       On(list_view::kHotItemChanged, t::kCheckHotItem)})},
                 {u::kPlainList, List("超级列表框_普通", 280, 10, 250, 200, plain.Save(), 1,
                                      {On(list_view::kCheckStateChanged, t::kPlainStateChanged)})}});
}

WindowDescription Edit() {
  ListViewProperties edit = ReportList({Row("甲"), Row("乙")});
  edit.editable_labels = true;
  return Window(w::kEdit, {{kWindowRecordId, PlacedWindow("编辑", 40, 40, 320, 260)},
                           {u::kEditList, List("超级列表框_编辑", 10, 10, 280, 200, edit.Save(), 0,
                                               {On(list_view::kLabelEditStarting, t::kEditStarting),
                                                On(list_view::kLabelEditEnded, t::kEditEnded)})}});
}

WindowDescription Stored() {
  ListViewItemRecord first = Row("一", "提示一", 77);
  first.image = 5;  // the list has no images
  first.indent = 2;
  const ListViewProperties stored = ReportList(
      {Cell(1, "零之一"), first, Cell(1, "一之一"), Cell(2, "一之二"), Row("二", "提示二", 88)});
  ListViewProperties multi = ReportList({Row("一"), Row("二"), Row("三")});
  multi.single_selection = false;
  return Window(w::kStored, {{kWindowRecordId, PlacedWindow("存储", 40, 40, 560, 260)},
                             {u::kStoredList, List("超级列表框_存储", 10, 10, 250, 200, stored.Save(), 0)},
                             {u::kMultiList, List("超级列表框_多选", 280, 10, 250, 200, multi.Save(), 1)}});
}

WindowDescription Icons() {
  ListViewProperties icons;
  icons.items = WriteListViewItems(std::vector<ListViewItemRecord>{Row("图一"), Row("图二")});
  return Window(w::kIcons, {{kWindowRecordId, PlacedWindow("图标", 40, 40, 320, 260)},
                            {u::kIconList, List("超级列表框_图标", 10, 10, 280, 200, icons.Save(), 0)}});
}

}  // namespace

Bytes ApplicationResultListBlock() {
  const forms::FormDescription form = app::MainWindowForm();
  for (const WindowDescription& window : form.windows) {
    const Bytes* record = window.units.RecordById(app::unit::kResultList);
    if (record == nullptr) continue;
    const std::optional<forms::UnitData> data = forms::ParseUnitRecord(*record);
    if (data && std::holds_alternative<UnitRecord>(*data)) return std::get<UnitRecord>(*data).properties;
  }
  return {};
}

Bytes ListViewTestForm() {
  forms::FormDescription form;
  form.windows = {Result(), Checks(), Edit(), Stored(), Icons()};
  return forms::WriteFormDescription(form);
}

}  // namespace quarrow::testing
