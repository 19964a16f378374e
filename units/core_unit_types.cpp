#include "units/core_unit_types.h"

#include "forms/win_form_unit.h"
#include "units/button.h"
#include "units/button_properties.h"

namespace quarrow {

// Types this program does not use are empty slots; so are types not built yet.
const UnitTypeEntry kCoreUnitTypes[kCoreUnitTypeCount] = {
    {"窗口", "window", {0, 0, 0}, forms::kWindowUnitFlags, {0, 0, 0}, forms::kWindowPropertyCount,
     forms::kWindowPropertyTable, forms::WindowUnitInterface, {0, 0}},  // 1
    {},  // 2
    {},  // 3
    {},  // 4
    {},  // 5: EditBox ("编辑框", 0x80000040, 29), not built yet
    {},  // 6
    {},  // 7
    {},  // 8
    {},  // 9: GroupBox ("分组框", 0x840140C0, 13), not built yet
    {},  // 10: Label ("标签", 0x84012040, 29), not built yet
    {"按钮", "Button", {0, 0, 0}, 0x80000840, {0, 0, 0}, button::kPropertyTable.size(), button::kPropertyTable.data(),
     ButtonInterface, {0, 0}},  // 11
    {},  // 12: CheckBox ("选择框", 0x80001040, 21), not built yet
    {},  // 13
    {},  // 14
    {},  // 15: ListBox ("列表框", 0x80000040, 22), not built yet
    {},  // 16
    {},  // 17
    {},  // 18
    {},  // 19: ProcessBar ("进度条", 0x84010040, 14), not built yet
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
    {},  // 31: CommonDlg ("通用对话框", 0x80008040, 30), not built yet
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
