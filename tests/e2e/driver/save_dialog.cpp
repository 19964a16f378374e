#include "tests/e2e/driver/save_dialog.h"

#include "tests/e2e/driver/remote_controls.h"
#include "tests/support/modal_watchdog.h"

namespace quarrow::e2e {

HWND FileNameBox(HWND dialog) {
  HWND combo = ::GetDlgItem(dialog, 0x47C);
  if (combo == nullptr) return nullptr;
  char cls[32] = {};
  ::GetClassNameA(combo, cls, sizeof cls);
  if (::lstrcmpiA(cls, "Edit") == 0) return combo;
  // The edit of a ComboBoxEx32 sits inside its combo box.
  const auto edits = FindControls(combo, "Edit");
  return edits.empty() ? combo : edits.front();
}

std::string ProposedFileName(HWND dialog) { return WindowText(FileNameBox(dialog)); }

void TypeFileName(HWND dialog, const std::string& name) { SetTextOf(FileNameBox(dialog), name); }

void PressSave(HWND dialog) { testing::PressButton(dialog, IDOK); }
void PressCancel(HWND dialog) { testing::PressButton(dialog, IDCANCEL); }

}  // namespace quarrow::e2e
