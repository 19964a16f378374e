#include "tests/win/unit_command_form.h"

#include <string>
#include <utility>
#include <vector>

#include "tests/support/form_builder.h"
#include "units/button_properties.h"
#include "units/common_dlg_properties.h"
#include "commands/core_unit_types.h"
#include "units/label_properties.h"
#include "units/list_box_properties.h"
#include "units/process_bar_properties.h"

namespace quarrow::testing {

namespace {

using forms::EventBinding;
using forms::UnitRecord;
using forms::WindowDescription;
namespace w = uc_window;
namespace u = uc_unit;
namespace t = uc_tag;

WindowDescription Labels() {
  LabelProperties canvas;
  canvas.text.clear();
  canvas.back_color = 0x00FF00;
  LabelProperties caption;
  LabelProperties stored;
  stored.text = "框内";
  stored.border = 6;
  stored.border_width = 10;
  stored.border_color1 = 0x0000FF;
  stored.border_color2 = 0xFF0000;
  stored.border_color3 = 0xFF000000;
  stored.back_color = 0xFFFFFF;
  LabelProperties wide;
  wide.text.clear();
  LabelProperties mnemonic;
  mnemonic.text = "名称(&N)";
  ButtonProperties before;
  before.text = "前";
  ButtonProperties after;
  after.text = "后";
  return Window(w::kLabels,
                {{kWindowRecordId, PlacedWindow("标签", 60, 60, 460, 320)},
                 {u::kCanvas, Unit(core_type::kLabel, "标签_画布", 10, 10, 100, 100, canvas.Save(), 0)},
                 {u::kCaption, Unit(core_type::kLabel, "标签_标题", 130, 10, 160, 40, caption.Save(), 1,
                                    {On(0, t::kCaptionFeedback)})},
                 {u::kStored, Unit(core_type::kLabel, "标签_边框", 130, 70, 120, 80, stored.Save(), 2)},
                 {u::kWide, Unit(core_type::kLabel, "标签_宽", 10, 170, 200, 60, wide.Save(), 3)},
                 {u::kBeforeMnemonic, Unit(core_type::kButton, "按钮_前", 300, 170, 60, 24, before.Save(), 4)},
                 {u::kMnemonic, Unit(core_type::kLabel, "标签_名称", 300, 210, 80, 24, mnemonic.Save(), 5)},
                 {u::kAfterMnemonic, Unit(core_type::kButton, "按钮_后", 300, 240, 60, 24, after.Save(), 6)}});
}

WindowDescription Bars() {
  ProcessBarProperties plain;
  ProcessBarProperties vertical;
  vertical.orientation = 1;
  vertical.bar_style = 1;
  vertical.minimum = 80;
  vertical.maximum = 20;
  vertical.position = 50;
  return Window(w::kBars,
                {{kWindowRecordId, PlacedWindow("进度条", 60, 60, 360, 220)},
                 {u::kBar, Unit(core_type::kProcessBar, "进度条_一", 10, 10, 300, 24, plain.Save(), 0)},
                 {u::kVerticalBar, Unit(core_type::kProcessBar, "进度条_竖", 10, 50, 24, 120, vertical.Save(), 1)}});
}

WindowDescription Dialogs() {
  CommonDlgProperties save;
  save.dialog_type = common_dlg::kSaveFile;
  save.filter = "文本文件 (*.txt)|*.txt|所有文件 (*.*)|*.*";
  save.default_ext = "txt";
  CommonDlgProperties plain;
  return Window(w::kDialogs,
                {{kWindowRecordId, PlacedWindow("对话框", 60, 60, 300, 160)},
                 {u::kSaveDialog, Unit(core_type::kCommonDlg, "通用对话框_保存", 10, 10, 32, 32, save.Save(), 0)},
                 {u::kPlainDialog, Unit(core_type::kCommonDlg, "通用对话框_一", 50, 10, 32, 32, plain.Save(), 1)}});
}

WindowDescription Lists() {
  ListBoxProperties single;
  single.items = {"甲", "乙", "丙"};
  ListBoxProperties sorted;
  sorted.items = {"f", "b", "d"};
  sorted.sorted = true;
  ListBoxProperties extended;
  extended.items = {"一", "二", "三", "四"};
  extended.multi_select = true;
  ListBoxProperties empty;
  LabelProperties label;
  return Window(w::kLists,
                {{kWindowRecordId, PlacedWindow("列表框", 60, 60, 520, 220)},
                 {u::kSingleList, Unit(core_type::kListBox, "列表框_单选", 10, 10, 110, 150, single.Save(), 0)},
                 {u::kSortedList, Unit(core_type::kListBox, "列表框_排序", 130, 10, 110, 150, sorted.Save(), 1)},
                 {u::kExtendedList, Unit(core_type::kListBox, "列表框_多选", 250, 10, 110, 150, extended.Save(), 2)},
                 {u::kEmptyList, Unit(core_type::kListBox, "列表框_空", 370, 10, 110, 150, empty.Save(), 3)},
                 {u::kListLabel, Unit(core_type::kLabel, "标签_列表", 10, 170, 110, 24, label.Save(), 4)}});
}

WindowDescription Events() {
  LabelProperties poster;
  poster.text = "事件";
  LabelProperties other;
  other.text = "其他";
  return Window(w::kEvents,
                {{kWindowRecordId, PlacedWindow("事件", 60, 60, 260, 140)},
                 {u::kPoster, Unit(core_type::kLabel, "标签_事件", 10, 10, 100, 24, poster.Save(), 0,
                                   {On(0, t::kPosterFeedback)})},
                 {u::kOther, Unit(core_type::kLabel, "标签_其他", 10, 50, 100, 24, other.Save(), 1,
                                  {On(0, t::kOtherFeedback)})}});
}

WindowDescription Binding() {
  UnitRecord provider = ChildRecord(0x00020001, "数据源", 150, 10, 80, 24, 1);
  LabelProperties bound;
  bound.text = "未绑定";
  bound.data_source = "数据源";
  bound.data_column = "名称";
  return Window(w::kBinding,
                {{kWindowRecordId, PlacedWindow("绑定", 60, 60, 260, 120)},
                 {u::kProvider, provider},
                 {u::kBoundLabel, Unit(core_type::kLabel, "标签_绑定", 10, 10, 120, 24, bound.Save(), 0)}});
}

}  // namespace

Bytes UnitCommandForm() {
  forms::FormDescription form;
  form.windows = {Labels(), Bars(), Dialogs(), Lists(), Events(), Binding()};
  return forms::WriteFormDescription(form);
}

}  // namespace quarrow::testing
