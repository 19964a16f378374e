// The units of the main window that the export works with, and the save dialog's properties it sets.
#pragma once

#include <cstdint>

#include "app/main_window.h"
#include "runtime/facade.h"
#include "units/common_dlg_properties.h"
#include "units/unit_properties.h"

namespace quarrow::app::export_units {

inline constexpr rt::UnitRef kResultList{unit_type::kListView, kMainWindowId, unit::kResultList};
inline constexpr rt::UnitRef kSaveDialog{unit_type::kCommonDlg, kMainWindowId, unit::kSaveDialog};

// The result list's columns: the row number, then prefix and address.
inline constexpr std::int32_t kNumberColumn = 0;
inline constexpr std::int32_t kAddressColumn = 1;

namespace save_dialog {
inline constexpr std::int32_t kDialogType = PropertyIndex(common_dlg::kDialogType);
inline constexpr std::int32_t kFileName = PropertyIndex(common_dlg::kFileName);
inline constexpr std::int32_t kInitialDir = PropertyIndex(common_dlg::kInitialDir);
inline constexpr std::int32_t kDefaultExt = PropertyIndex(common_dlg::kDefaultExt);
}  // namespace save_dialog

// SpecialFolderPath's number for the user's desktop.
inline constexpr std::int32_t kDesktopFolder = 3;

}  // namespace quarrow::app::export_units
