// The texts of runtime errors: the indexed table, the fixed messages, and the report the error box shows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quarrow {

// Messages reported by index; the index is also the error code. Index 0 and anything past 11 have no text.
std::string_view IndexedErrorMessage(std::int32_t index);
inline constexpr std::int32_t kIndexedErrorCount = 11;

namespace error_message {
inline constexpr std::string_view kStartWindowFailed = "载入启动窗口失败";
inline constexpr std::string_view kFormDataBroken = "载入窗口模板数据段出错!";
inline constexpr std::string_view kWindowOfUnitNotLoaded = "未载入欲访问窗口组件所在的窗口";
inline constexpr std::string_view kWindowNotLoaded = "指定窗口尚未载入";
inline constexpr std::string_view kEventWindowNotFound = "未找到引发事件的窗口";
inline constexpr std::string_view kEventUnitNotFound = "未找到引发事件的窗口组件";
inline constexpr std::string_view kEventUnitInvalid = "引发事件的窗口组件无效";
inline constexpr std::string_view kUnitMissing = "指定窗口或窗口组件不存在或尚未载入";
inline constexpr std::string_view kNotANumber = "欲转换数据类型不是数值";
}  // namespace error_message

// "分配 %d 字节内存失败!" with the whole size, unsigned, in decimal: a failure must not misstate what was asked for.
std::string AllocationFailureMessage(std::size_t size);
// "无法找到指定DLL库文件“%s”中的输出命令“%s”", or without a library name the shorter form.
std::string MissingDllCommandMessage(std::string_view library, std::string_view entry);

// The text of the error box: "运行时出错!", a blank line, the code when not 0, the message when not empty.
std::string BuildErrorReport(std::int32_t code, std::string_view message);

}  // namespace quarrow
