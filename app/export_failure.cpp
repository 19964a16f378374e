#include "app/export_failure.h"

#include <cstdio>
#include <string_view>

#include "app/main_window.h"

namespace quarrow::app {

namespace {

// The system's own words for the error, in the user's language, without the line break it ends with.
std::string SystemReason(DWORD error) {
  char buffer[512] = {};
  const DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                                        0, buffer, sizeof buffer, nullptr);
  std::string_view reason(buffer, length < sizeof buffer ? length : 0);
  while (!reason.empty() && (reason.back() == '\r' || reason.back() == '\n' || reason.back() == ' ')) {
    reason.remove_suffix(1);
  }
  if (!reason.empty()) return std::string(reason);
  char code[48];
  std::snprintf(code, sizeof code, "系统错误 %lu。", static_cast<unsigned long>(error));
  return code;
}

}  // namespace

std::string WriteFailureText(const char* path, DWORD error) {
  return std::string("无法写入文件：") + (path ? path : "") + "\r\n" + SystemReason(error);
}

void ShowWriteFailure(HWND owner, const char* path, DWORD error) {
  const std::string text = WriteFailureText(path, error);
  ::MessageBoxA(owner, text.c_str(), kProgramName, MB_OK | MB_ICONWARNING);
}

}  // namespace quarrow::app
