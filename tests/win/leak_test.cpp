// What a full cycle of the program's work leaves on the runtime heap: the real main window with the program's own
// header, libraries and handlers, driven through its buttons (generate, export through the save dialog, clear)
// while a counting heap stands in front of the process heap. Every text, byte set and array that a handler
// receives must be freed by the time the cycle ends.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/main_window.h"
#include "app/window_units.h"
#include "commands/core_facade.h"
#include "runtime/runtime.h"
#include "tests/e2e/driver/save_dialog.h"
#include "tests/support/counting_heap.h"
#include "tests/support/pump.h"
#include "tests/support/runtime_fixture.h"
#include "tests/support/scratch_folder.h"
#include "units/check_box_properties.h"
#include "units/edit_box_properties.h"
#include "units/list_view_facade.h"
#include "base/unit_interface.h"
#include "units/unit_properties.h"

namespace quarrow::program {
extern const ProgramHeader kHeader;
}

namespace quarrow::app {
namespace {

namespace u = units;
using testing::CountingHeap;
using testing::ModalWatchdog;

constexpr std::int32_t kText = PropertyIndex(edit_box::kText);
constexpr std::int32_t kChecked = PropertyIndex(check_box::kChecked);

// Each test watches for the save dialog it expects.
const bool installed = testing::InstallRuntime(program::kHeader, testing::Boxes::kWatchedByTests);

HWND UnitWindow(std::uint32_t unit_id) { return testing::UnitWindow(kMainWindowId, unit_id); }

// Blocks that outlive the cycle, described for the failure message: size and the first bytes as text.
std::string Describe(const CountingHeap& heap) {
  std::string out;
  for (const auto& [block, size] : heap.LiveBlocks()) {
    const auto* bytes = static_cast<const char*>(block);
    std::string head;
    for (std::size_t i = 0; i < size && i < 24; ++i) head += (bytes[i] >= 0x20 && bytes[i] < 0x7F) ? bytes[i] : '.';
    out += "\n  " + std::to_string(size) + " bytes: " + head;
  }
  return out;
}

class LeakTest : public ::testing::Test {
 protected:
  void SetUp() override {
    watchdog_ = std::make_unique<ModalWatchdog>();
    // The export's save dialog is answered as a user would: a file name, then Save.
    watchdog_->Expect(e2e::kSaveDialogTitle, [this](HWND dialog, const testing::SeenBox&) {
      e2e::TypeFileName(dialog, export_path_);
      e2e::PressSave(dialog);
      return true;
    });
    ASSERT_TRUE(testing::Load(kMainWindowId));
    testing::Pump(20);
    ::DeleteFileA(export_path_.c_str());
    RuntimeMemory& memory = TheRuntime().Memory();
    process_heap_ = &memory.Heap();
    heap_ = std::make_unique<CountingHeap>(*process_heap_);
    memory.SetHeap(*heap_);
  }
  void TearDown() override {
    TheRuntime().Memory().SetHeap(*process_heap_);
    testing::CloseWindows();
    const auto unexpected = watchdog_->Unexpected();
    EXPECT_TRUE(unexpected.empty()) << "a box was shown: " << unexpected.front().caption << ": "
                                    << unexpected.front().text;
    watchdog_.reset();
    ::DeleteFileA(export_path_.c_str());
  }

  // What the user does: a count, "生成", "导出到文件" with a file name, "全部清空".
  void Cycle(const char* count) {
    rt::WriteText(u::kCountBox, kText, count);
    ::SendMessageA(UnitWindow(unit::kGenerateButton), BM_CLICK, 0, 0);
    rows_after_generate_ = cmd::ListViewItemCount(u::kResultList);
    ::DeleteFileA(export_path_.c_str());  // so that the dialog asks no question about replacing it
    ::SendMessageA(UnitWindow(unit::kExportButton), BM_CLICK, 0, 0);
    exported_ = testing::FileBytes(export_path_).value_or("");
    ::SendMessageA(UnitWindow(unit::kClearButton), BM_CLICK, 0, 0);
    testing::Pump(20);
  }

  void ExpectNothingLeft(const char* what) {
    EXPECT_GT(heap_->Requests(), 0) << "the cycle went past the runtime heap";
    EXPECT_EQ(heap_->Live(), 0u) << what << " left blocks on the runtime heap:" << Describe(*heap_);
    EXPECT_EQ(heap_->ForeignFrees(), 0) << what << " freed blocks it had not been given";
    EXPECT_EQ(cmd::ListViewItemCount(u::kResultList), 0);
  }

  static std::size_t Lines(const std::string& text) {
    std::size_t lines = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++lines;
    return lines;
  }

  std::unique_ptr<ModalWatchdog> watchdog_;
  HeapBackend* process_heap_ = nullptr;
  std::unique_ptr<CountingHeap> heap_;
  const std::string export_path_ = testing::TemporaryPath("leak-export") + ".txt";
  int rows_after_generate_ = 0;
  std::string exported_;
};

TEST_F(LeakTest, AnAutoModeCycleLeavesNothingOnTheRuntimeHeap) {
  Cycle("40");
  EXPECT_EQ(rows_after_generate_, 40);
  EXPECT_EQ(Lines(exported_), 40u) << "the export went through";
  ExpectNothingLeft("generate, export and clear in auto mode");
  Cycle("40");
  EXPECT_EQ(Lines(exported_), 40u);
  ExpectNothingLeft("a second cycle");
}

TEST_F(LeakTest, AManualModeCycleWithTheListsLeavesNothingOnTheRuntimeHeap) {
  rt::WriteLogical(u::kAutoModeBox, kChecked, false);
  for (const char* road : {"人民", "解放", "中山"}) {
    rt::WriteText(u::kRoadEntry, kText, road);
    ::SendMessageA(UnitWindow(unit::kAddRoadButton), BM_CLICK, 0, 0);
  }
  rt::WriteText(u::kCommunityEntry, kText, "阳光");
  ::SendMessageA(UnitWindow(unit::kAddCommunityButton), BM_CLICK, 0, 0);
  // Delete on a selected road goes through the list's key handler and its array of selected entries.
  HWND roads = UnitWindow(unit::kRoadList);
  ::SendMessageA(roads, LB_SETSEL, TRUE, 1);
  ::SetFocus(roads);
  ::PostMessageA(roads, WM_KEYDOWN, VK_DELETE, 0);
  TheRuntime().ProcessWaitingMessages();  // key events are raised as the runtime's loop takes them
  EXPECT_EQ(cmd::ListBoxItemCount(u::kRoadList), 2);
  EXPECT_EQ(cmd::ListBoxItemCount(u::kCommunityList), 1);
  EXPECT_EQ(heap_->Live(), 0u) << "editing the lists left blocks:" << Describe(*heap_);
  Cycle("30");
  EXPECT_EQ(rows_after_generate_, 30);
  EXPECT_EQ(Lines(exported_), 30u);
  EXPECT_NE(exported_.find("小区 "), std::string::npos) << "manual addresses were exported";
  ExpectNothingLeft("generate, export and clear in manual mode");
}

}  // namespace
}  // namespace quarrow::app
