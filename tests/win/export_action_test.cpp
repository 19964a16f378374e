// "导出到文件" through its button on the real main window, when the export cannot be completed: the user is told
// in the write-failure box, which the main window owns whichever window is active.
#include <gtest/gtest.h>

#include <string>

#include "app/export_failure.h"
#include "app/main_window.h"
#include "app/window_units.h"
#include "forms/runtime_parts.h"
#include "forms/window_map.h"
#include "runtime/runtime.h"
#include "runtime/runtime_notify.h"
#include "tests/e2e/driver/save_dialog.h"
#include "tests/support/modal_watchdog.h"
#include "tests/support/pump.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_heap.h"
#include "units/list_view_facade.h"
#include "base/unit_interface.h"

namespace quarrow::program {
extern const ProgramHeader kHeader;
}

namespace quarrow::app {
namespace {

class RuntimeEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    forms::EquipRuntime(TheRuntime());
    TheRuntime().Initialise(program::kHeader);
  }
};
const auto* const environment = ::testing::AddGlobalTestEnvironment(new RuntimeEnvironment);

HWND UnitWindow(std::uint32_t unit_id) {
  auto* object = reinterpret_cast<UnitObject*>(RuntimeNotify(notify_code::kUnitObject, kMainWindowId, unit_id));
  return object ? object->Window() : nullptr;
}

class ExportFailure : public ::testing::Test {
 protected:
  void SetUp() override {
    ::DeleteFileA(path_.c_str());
    ASSERT_TRUE(forms::TheWindowMap().LoadWindow(kMainWindowId, false, false, nullptr));
    main_ = reinterpret_cast<HWND>(RuntimeNotify(notify_code::kPlatformWindow, kMainWindowId, 0));
    // Another window of the program, made the active one while the save dialog is open.
    other_ = ::CreateWindowExA(0, "STATIC", "其他", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                               nullptr, ::GetModuleHandleA(nullptr), nullptr);
    watchdog_.Expect(e2e::kSaveDialogTitle, [this](HWND dialog, const testing::SeenBox&) {
      // The dialog fills its name box while it opens: type once it shows, until the name stays.
      testing::WaitUntil([&] {
        if (!::IsWindowVisible(dialog)) return false;
        e2e::TypeFileName(dialog, path_);
        return e2e::ProposedFileName(dialog) == path_;
      });
      ::SetForegroundWindow(other_);
      e2e::PressSave(dialog);
      return true;
    });
    watchdog_.Expect(e2e::kReplaceQuestionCaption, [this](HWND box, const testing::SeenBox&) {
      ::SetForegroundWindow(other_);
      testing::PressButton(box, IDYES);
      return true;
    });
    watchdog_.Expect("Quarrow", [this](HWND box, const testing::SeenBox&) {
      box_owner_ = ::GetWindow(box, GW_OWNER);
      testing::PressButton(box, IDOK);
      return true;
    });
  }
  void TearDown() override {
    if (HWND window = forms::TheWindowMap().Find(kMainWindowId)->Hwnd()) ::DestroyWindow(window);
    ::DestroyWindow(other_);
    testing::Pump(20);
    ::DeleteFileA(path_.c_str());
  }

  void AddRow(const char* number, const std::string& address) {
    const std::int32_t row = cmd::ListViewInsertItem(units::kResultList);
    cmd::ListViewSetItemText(units::kResultList, row, 0, number);
    cmd::ListViewSetItemText(units::kResultList, row, 1, address.c_str());
  }
  void Export() { ::SendMessageA(UnitWindow(unit::kExportButton), BM_CLICK, 0, 0); }
  std::string FailureBoxText() const {
    for (const testing::SeenBox& seen : watchdog_.Seen()) {
      if (seen.caption == "Quarrow") return seen.text;
    }
    return "(no box)";
  }

  const std::string path_ = testing::TemporaryPath("export-failure") + ".txt";
  HWND main_ = nullptr;
  HWND other_ = nullptr;
  HWND box_owner_ = nullptr;
  testing::ModalWatchdog watchdog_;
};

TEST_F(ExportFailure, AFileThatCannotBeReplacedIsReportedInABoxOwnedByTheMainWindow) {
  AddRow("1", "甲路");
  {
    HANDLE h = ::CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ::WriteFile(h, "old", 3, nullptr, nullptr);
    ::CloseHandle(h);
  }
  // Held open without sharing, the old file cannot be replaced.
  HANDLE held = ::CreateFileA(path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Export();
  ::CloseHandle(held);
  EXPECT_EQ(FailureBoxText().rfind("无法写入文件：" + path_ + "\r\n", 0), 0u) << FailureBoxText();
  EXPECT_EQ(box_owner_, main_) << "not the window that happened to be active";
  EXPECT_EQ(testing::FileBytes(path_), "old");
  EXPECT_TRUE(watchdog_.Unexpected().empty());
}

TEST_F(ExportFailure, RunningOutOfMemoryWhileTheContentIsBuiltIsReportedAsAFailedWrite) {
  // Two rows of 100,000 bytes each: reading them back takes blocks of at most 128 KiB, the content one of twice
  // that, which the capped heap refuses.
  AddRow("1", std::string(100000, 'a'));
  AddRow("2", std::string(100000, 'b'));
  {
    testing::AllocationCap cap(160 * 1024);
    Export();
  }
  EXPECT_EQ(FailureBoxText(), WriteFailureText(path_.c_str(), ERROR_NOT_ENOUGH_MEMORY));
  EXPECT_EQ(box_owner_, main_);
  EXPECT_EQ(::GetFileAttributesA(path_.c_str()), INVALID_FILE_ATTRIBUTES) << "nothing is written";
  EXPECT_TRUE(watchdog_.Unexpected().empty());
}

}  // namespace
}  // namespace quarrow::app
