#include "base/error_text.h"

#include <array>

namespace quarrow {

namespace {
constexpr std::array<std::string_view, kIndexedErrorCount + 1> kIndexed = {
    "",
    "数组成员引用下标超出定义范围",
    "未得到所需要的数值型数据",
    "引用数组成员时维数不为1且不等于该数组目前所具有的维数",
    "数组成员引用下标必须大于等于1",
    "数据或数组类型不匹配",
    "调用DLL命令后发现堆栈错误",
    "子语句参数未返回数据或者返回了非系统基本类型或数组型数据",
    "被比较数据只能使用等于或不等于命令比较",
    "“多项选择”命令的索引值参数小于零或超出了所提供参数表范围",
    "“重定义数组”命令的数组维定义参数值必须大于零或单维时大于等于零",
    "所提供参数的数据类型不符合要求",
};
}  // namespace

std::string_view IndexedErrorMessage(std::int32_t index) {
  if (index < 1 || index > kIndexedErrorCount) return {};
  return kIndexed[static_cast<std::size_t>(index)];
}

std::string AllocationFailureMessage(std::size_t size) {
  return std::string("分配 ") + std::to_string(size) + " 字节内存失败!";
}

std::string MissingDllCommandMessage(std::string_view library, std::string_view entry) {
  std::string text;
  if (library.empty()) {
    text.append("无法找到指定DLL库文件中的输出命令“").append(entry).append("”");
  } else {
    text.append("无法找到指定DLL库文件“").append(library).append("”中的输出命令“").append(entry).append("”");
  }
  return text;
}

std::string BuildErrorReport(std::int32_t code, std::string_view message) {
  std::string report = "运行时出错!\r\n\r\n";
  if (code != 0) report.append("错误代码：").append(std::to_string(code)).append("\r\n\r\n");
  if (!message.empty()) report.append("错误信息：").append(message).append("\r\n");
  return report;
}

}  // namespace quarrow
