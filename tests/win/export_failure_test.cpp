// The box that tells the user an export could not be written: its text from the system's own words, shown for
// real over a window and dismissed by the watchdog.
#include "app/export_failure.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/modal_watchdog.h"

namespace quarrow::app {
namespace {

std::string SystemText(DWORD error) {
  char buffer[512] = {};
  const DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                                        0, buffer, sizeof buffer, nullptr);
  std::string text(buffer, length);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return text;
}

TEST(WriteFailureText, NamesTheFileAndGivesTheSystemsReason) {
  const std::string reason = SystemText(ERROR_ACCESS_DENIED);
  ASSERT_FALSE(reason.empty());
  EXPECT_EQ(WriteFailureText("C:\\users\\导出乗.txt", ERROR_ACCESS_DENIED),
            "无法写入文件：C:\\users\\导出乗.txt\r\n" + reason);
  EXPECT_NE(WriteFailureText("a", ERROR_SHARING_VIOLATION), WriteFailureText("a", ERROR_ACCESS_DENIED));
}

TEST(WriteFailureText, GivesTheCodeWhenTheSystemHasNoWords) {
  ASSERT_TRUE(SystemText(0x2FFFFFF0).empty());
  EXPECT_EQ(WriteFailureText("x.txt", 0x2FFFFFF0), "无法写入文件：x.txt\r\n系统错误 805306352。");
}

TEST(ShowWriteFailure, ShowsAWarningBoxOverTheWindow) {
  const HWND owner = ::CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                       nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(owner, nullptr);
  HWND box_owner = nullptr;
  HICON box_icon = nullptr;
  testing::ModalWatchdog watchdog;
  watchdog.Expect("Quarrow", [&](HWND box, const testing::SeenBox&) {
    box_owner = ::GetWindow(box, GW_OWNER);
    box_icon = reinterpret_cast<HICON>(::SendDlgItemMessageA(box, 0x440, STM_GETICON, 0, 0));
    testing::PressButton(box, IDOK);
    return true;
  });
  ShowWriteFailure(owner, "C:\\out\\地址.txt", ERROR_SHARING_VIOLATION);

  const auto seen = watchdog.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].caption, "Quarrow");
  EXPECT_EQ(seen[0].text, WriteFailureText("C:\\out\\地址.txt", ERROR_SHARING_VIOLATION));
  EXPECT_TRUE(watchdog.Unexpected().empty());
  EXPECT_EQ(box_owner, owner);
  EXPECT_EQ(box_icon, ::LoadIconA(nullptr, IDI_WARNING)) << "the warning icon";
  ::DestroyWindow(owner);
}

}  // namespace
}  // namespace quarrow::app
