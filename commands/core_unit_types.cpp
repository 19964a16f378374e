#include "commands/core_unit_types.h"

#include "forms/win_form_unit.h"
#include "units/button.h"
#include "units/button_properties.h"
#include "units/check_box.h"
#include "units/check_box_properties.h"
#include "units/common_dlg.h"
#include "units/common_dlg_properties.h"
#include "units/edit_box.h"
#include "units/edit_box_properties.h"
#include "units/group_box.h"
#include "units/group_box_properties.h"
#include "units/label.h"
#include "units/label_properties.h"
#include "units/list_box.h"
#include "units/list_box_properties.h"
#include "units/process_bar.h"
#include "units/process_bar_properties.h"

namespace quarrow {

// Types this program does not use are empty slots; so are types not built yet.
const UnitTypeEntry kCoreUnitTypes[kCoreUnitTypeCount] = {
    {"窗口", "window", {0, 0, 0}, forms::kWindowUnitFlags, {0, 0, 0}, forms::kWindowPropertyTable.size(),
     forms::kWindowPropertyTable.data(), forms::WindowUnitInterface, {0, 0}},  // 1
    {},  // 2
    {},  // 3
    {},  // 4
    {"编辑框", "EditBox", {0, 0, 0}, 0x80000040, {0, 0, 0}, edit_box::kPropertyTable.size(),
     edit_box::kPropertyTable.data(), EditBoxInterface, {0, 0}},  // 5
    {},  // 6
    {},  // 7
    {},  // 8
    {"分组框", "GroupBox", {0, 0, 0}, 0x840140C0, {0, 0, 0}, group_box::kPropertyTable.size(),
     group_box::kPropertyTable.data(), GroupBoxInterface, {0, 0}},  // 9
    {"标签", "Label", {0, 0, 0}, 0x84012040, {0, 0, 0}, label::kPropertyTable.size(), label::kPropertyTable.data(),
     LabelInterface, {0, 0}},  // 10
    {"按钮", "Button", {0, 0, 0}, 0x80000840, {0, 0, 0}, button::kPropertyTable.size(), button::kPropertyTable.data(),
     ButtonInterface, {0, 0}},  // 11
    {"选择框", "CheckBox", {0, 0, 0}, 0x80001040, {0, 0, 0}, check_box::kPropertyTable.size(),
     check_box::kPropertyTable.data(), CheckBoxInterface, {0, 0}},  // 12
    {},  // 13
    {},  // 14
    {"列表框", "ListBox", {0, 0, 0}, 0x80000040, {0, 0, 0}, list_box::kPropertyTable.size(),
     list_box::kPropertyTable.data(), ListBoxInterface, {0, 0}},  // 15
    {},  // 16
    {},  // 17
    {},  // 18
    {"进度条", "ProcessBar", {0, 0, 0}, 0x84010040, {0, 0, 0}, process_bar::kPropertyTable.size(),
     process_bar::kPropertyTable.data(), ProcessBarInterface, {0, 0}},  // 19
    {},  // 20
    {},  // 21
    {},  // 22
    {},  // 23
    {},  // 24
    {},  // 25
    {},  // 26
    {},  // 27
    {},  // 28
    {},  // 29
    {},  // 30
    {"通用对话框", "CommonDlg", {0, 0, 0}, 0x80008040, {0, 0, 0}, common_dlg::kPropertyTable.size(),
     common_dlg::kPropertyTable.data(), CommonDlgInterface, {0, 0}},  // 31
    {},  // 32
    {},  // 33
    {},  // 34
    {},  // 35
    {},  // 36
    {},  // 37
    {},  // 38
    {},  // 39
    {},  // 40
    {},  // 41
    {},  // 42
    {},  // 43
    {},  // 44
    {},  // 45
    {},  // 46
    {},  // 47
    {},  // 48
    {},  // 49
    {},  // 50
    {},  // 51
};

}  // namespace quarrow
