#include "base/error_text.h"

#include <gtest/gtest.h>

#include <cstddef>

namespace quarrow {
namespace {

TEST(ErrorReport, CodeZeroAndNoMessageGiveOnlyTheHeading) {
  EXPECT_EQ(BuildErrorReport(0, ""), "运行时出错!\r\n\r\n");
}

TEST(ErrorReport, ANegativeCodeKeepsItsSign) {
  EXPECT_EQ(BuildErrorReport(-7, ""), "运行时出错!\r\n\r\n错误代码：-7\r\n\r\n");
}

TEST(ErrorReport, IndexFourShowsItsCodeAndItsMessage) {
  EXPECT_EQ(BuildErrorReport(4, IndexedErrorMessage(4)),
            "运行时出错!\r\n\r\n错误代码：4\r\n\r\n错误信息：数组成员引用下标必须大于等于1\r\n");
}

TEST(ErrorReport, AnAllocationFailureNamesTheSize) {
  EXPECT_EQ(AllocationFailureMessage(1048576), "分配 1048576 字节内存失败!");
  EXPECT_EQ(BuildErrorReport(0, AllocationFailureMessage(1048576)),
            "运行时出错!\r\n\r\n错误信息：分配 1048576 字节内存失败!\r\n");
}

TEST(ErrorReport, AnAllocationFailureStatesTheWholeSizeUnsigned) {
  EXPECT_EQ(AllocationFailureMessage(0x7FFFFFFF), "分配 2147483647 字节内存失败!");
  EXPECT_EQ(AllocationFailureMessage(0x80000000u), "分配 2147483648 字节内存失败!");
  EXPECT_EQ(AllocationFailureMessage(0xFFFFFFFFu), "分配 4294967295 字节内存失败!");
  if constexpr (sizeof(std::size_t) > 4) {
    // 4 GiB + 1 KiB: nothing of the size above 32 bits is lost.
    EXPECT_EQ(AllocationFailureMessage(static_cast<std::size_t>(0x100000400ull)), "分配 4294968320 字节内存失败!");
  }
}

TEST(ErrorReport, TheTextsAreGbk) {
  // "运" in GBK.
  const std::string heading = BuildErrorReport(0, "");
  EXPECT_EQ(static_cast<unsigned char>(heading[0]), 0xD4);  // 运
  EXPECT_EQ(static_cast<unsigned char>(heading[1]), 0xCB);
}

TEST(IndexedErrors, OnlyOneToElevenHaveMessages) {
  EXPECT_TRUE(IndexedErrorMessage(0).empty());
  EXPECT_TRUE(IndexedErrorMessage(12).empty());
  EXPECT_EQ(IndexedErrorMessage(1), "数组成员引用下标超出定义范围");
  EXPECT_EQ(IndexedErrorMessage(11), "所提供参数的数据类型不符合要求");
}

TEST(DllErrors, NameTheLibraryWhenThereIsOne) {
  EXPECT_EQ(MissingDllCommandMessage("", "Foo"), "无法找到指定DLL库文件中的输出命令“Foo”");
  EXPECT_EQ(MissingDllCommandMessage("x.dll", "Foo"), "无法找到指定DLL库文件“x.dll”中的输出命令“Foo”");
}

}  // namespace
}  // namespace quarrow
