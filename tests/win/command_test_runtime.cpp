#include "tests/win/command_test_runtime.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "commands/core_library.h"
#include "runtime/runtime.h"
#include "tests/support/runtime_fixture.h"

namespace quarrow::testing {

namespace {

const LibraryDescriptor* const kLibraries[] = {&kCoreLibrary};

const char kConstants[] = "\0常量";

const ProgramHeader kCommandTestHeader = {
    3, 0, 0, nullptr, kConstants, sizeof kConstants, nullptr, 0, 1, kLibraries, 0, nullptr, nullptr,
};

const bool installed = InstallRuntime(kCommandTestHeader, Boxes::kWatchedByTests);

}  // namespace

const char* ConstantEmptyText() { return kConstants; }
const char* ConstantLiteral() { return kConstants + 1; }

std::string TakeText(const ValueRecord& result) {
  EXPECT_EQ(result.type, type::kText);
  const char* text = result.Text();
  if (text == nullptr) return {};
  const std::size_t length = std::strlen(text);
  EXPECT_GT(length, 0u) << "the empty text comes back as null";
  EXPECT_EQ(::HeapSize(::GetProcessHeap(), 0, text), length + 1) << "a block of the runtime heap, no more";
  std::string bytes(text, length);
  Services().free(const_cast<char*>(text));
  return bytes;
}

}  // namespace quarrow::testing
