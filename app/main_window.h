// The application's one window: its identifier, the identifiers of its units, and the slots of the handler table
// that its events are bound to. Shared by the program and by the build-time tool that encodes the window.
#pragma once

#include <cstdint>

#include "base/value.h"

namespace quarrow::app {

// The window's title, and the caption of the boxes the program shows of its own.
inline constexpr char kProgramName[] = "Quarrow";

inline constexpr std::uint32_t kMainWindowId = 0x52010001;
inline constexpr std::uint32_t kWindowRecordId = 0x06010000;

// Units carry ids of the form 0x160100xx.
inline constexpr std::uint32_t UnitId(std::uint32_t serial) { return 0x16010000u | serial; }

namespace unit {
inline constexpr std::uint32_t kPercentLabel = UnitId(0xCE);         // 标签13
inline constexpr std::uint32_t kClearButton = UnitId(0xCC);          // 按钮1
inline constexpr std::uint32_t kProgressBar = UnitId(0xC9);          // 进度条1
inline constexpr std::uint32_t kRoomMax = UnitId(0xB9);              // 编辑框_最大室
inline constexpr std::uint32_t kRoomMin = UnitId(0xBC);              // 编辑框_最小室
inline constexpr std::uint32_t kUnitMax = UnitId(0xBD);              // 编辑框_最大单元
inline constexpr std::uint32_t kUnitMin = UnitId(0xC0);              // 编辑框_最小单元
inline constexpr std::uint32_t kBuildingMax = UnitId(0xC1);          // 编辑框_最大号楼
inline constexpr std::uint32_t kBuildingMin = UnitId(0xC4);          // 编辑框_最小号楼
inline constexpr std::uint32_t kAddCommunityButton = UnitId(0xB5);   // 按钮_添加小区
inline constexpr std::uint32_t kCommunityList = UnitId(0xB6);        // 列表框_小区
inline constexpr std::uint32_t kCommunityEntry = UnitId(0xB7);       // 编辑框_待添加_小区
inline constexpr std::uint32_t kGenerateFrame = UnitId(0xAA);        // 分组框1
inline constexpr std::uint32_t kCountBox = UnitId(0xAC);             // 编辑框_次数
inline constexpr std::uint32_t kGenerateButton = UnitId(0xAD);       // 按钮_生成
inline constexpr std::uint32_t kAutoModeBox = UnitId(0xAE);          // 选择框1
inline constexpr std::uint32_t kHouseNumberMax = UnitId(0xA4);       // 编辑框_最大号
inline constexpr std::uint32_t kHouseNumberMin = UnitId(0xA7);       // 编辑框_最小号
inline constexpr std::uint32_t kAddRoadButton = UnitId(0xA0);        // 按钮_添加路
inline constexpr std::uint32_t kRoadList = UnitId(0xA1);             // 列表框_路
inline constexpr std::uint32_t kRoadEntry = UnitId(0xA2);            // 编辑框_待添加_路
inline constexpr std::uint32_t kPrefixBox = UnitId(0x9E);            // 编辑框1
inline constexpr std::uint32_t kInputFrame = UnitId(0x9D);           // 分组框2
inline constexpr std::uint32_t kSaveDialog = UnitId(0x75);           // 通用对话框1
inline constexpr std::uint32_t kExportButton = UnitId(0x6C);         // 按钮_导出
inline constexpr std::uint32_t kResultList = UnitId(0x6B);           // 超级列表框1
}  // namespace unit

// Unit-type references of the types the window holds.
namespace unit_type {
inline constexpr DataType kWindow = UnitTypeRef(1, 1);
inline constexpr DataType kEditBox = UnitTypeRef(1, 5);
inline constexpr DataType kGroupBox = UnitTypeRef(1, 9);
inline constexpr DataType kLabel = UnitTypeRef(1, 10);
inline constexpr DataType kButton = UnitTypeRef(1, 11);
inline constexpr DataType kCheckBox = UnitTypeRef(1, 12);
inline constexpr DataType kListBox = UnitTypeRef(1, 15);
inline constexpr DataType kProcessBar = UnitTypeRef(1, 19);
inline constexpr DataType kCommonDlg = UnitTypeRef(1, 31);
inline constexpr DataType kListView = UnitTypeRef(2, 4);
}  // namespace unit_type

// The handler table, which is the program's code base: a handler's offset in the form description is its slot
// number times the slot size.
enum class HandlerSlot : std::int32_t {
  kSeedRandomNumbers,
  kGenerate,
  kClearResults,
  kAddRoad,
  kAddCommunity,
  kRoadEntryKeyDown,
  kCommunityEntryKeyDown,
  kRoadListKeyDown,
  kCommunityListKeyDown,
  kExport,
  kCount,
};

inline constexpr std::int32_t kHandlerSlotSize = 8;
inline constexpr std::int32_t HandlerOffset(HandlerSlot slot) {
  return static_cast<std::int32_t>(slot) * kHandlerSlotSize;
}

// Event numbers the window binds.
namespace event {
inline constexpr std::int32_t kWindowCreated = 0;
inline constexpr std::int32_t kClicked = 0;
inline constexpr std::int32_t kKeyDown = -9;
}  // namespace event

}  // namespace quarrow::app
