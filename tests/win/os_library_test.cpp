// The OS interface library: its descriptor, its link to the runtime, and SpecialFolderPath called through service
// entry 2 as application code calls it.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "commands/core_facade.h"
#include "commands/os_commands.h"
#include "commands/os_facade.h"
#include "commands/os_library.h"
#include "tests/win/file_test_runtime.h"

namespace quarrow {
namespace {

using testing::FileBytes;

ValueRecord CallSpecialFolderPath(std::vector<ValueRecord> args) {
  return Services().call_library_command(kOsCommands[os_command::kSpecialFolderPath],
                                         static_cast<std::int32_t>(args.size()), args.data());
}

// The text of a result, which is then freed; checks that it is a runtime-heap block of its length + 1.
std::string TakeText(const ValueRecord& result) {
  EXPECT_EQ(result.type, type::kText);
  const char* text = result.Text();
  if (text == nullptr) return {};
  const std::size_t length = std::strlen(text);
  EXPECT_GT(length, 0u) << "the empty text is null";
  EXPECT_EQ(::HeapSize(::GetProcessHeap(), 0, text), length + 1);
  std::string bytes(text, length);
  Services().free(const_cast<char*>(text));
  return bytes;
}

std::string Path(std::int32_t number) { return TakeText(CallSpecialFolderPath({ValueRecord::OfInt(number)})); }

bool EndsInOneBackslash(const std::string& path) {
  return path.size() >= 2 && path.back() == '\\' && path[path.size() - 2] != '\\';
}

TEST(OsLibrary, DescribesItself) {
  const LibraryDescriptor& d = kOsLibrary;
  EXPECT_EQ(d.format_code, 0x01312D65u);
  EXPECT_STREQ(d.identifier, "9E3D1C7B5A2F4E6D8C0B1A2F3E4D5C6B");
  EXPECT_EQ(d.numbers[0], 3u);
  EXPECT_EQ(d.numbers[1], 0u);
  EXPECT_EQ(d.numbers[2], 0u);
  EXPECT_EQ(d.more_numbers[0], 3u);
  EXPECT_EQ(d.more_numbers[1], 0u);
  EXPECT_EQ(d.more_numbers[2], 3u);
  EXPECT_EQ(d.more_numbers[3], 0u);
  ASSERT_NE(d.display_name, nullptr);
  EXPECT_GT(std::strlen(d.display_name), 0u);
  EXPECT_EQ(d.one, 1u);
  for (std::uint32_t word : d.info) EXPECT_EQ(word, 0u);
  EXPECT_EQ(d.unit_type_count, 0u);
  EXPECT_EQ(d.command_count, 1u);
  ASSERT_NE(d.commands, nullptr);
  EXPECT_EQ(d.commands[os_command::kSpecialFolderPath], &SpecialFolderPathCommand);
  EXPECT_NE(d.notify, nullptr);
}

TEST(OsLibrary, IsConnectedToTheRuntimeAtStart) { EXPECT_TRUE(OsLink().Connected()); }

TEST(SpecialFolderPath, OfTheDesktopEndsInABackslashAndTakesFiles) {
  const std::string desktop = Path(3);
  ASSERT_TRUE(EndsInOneBackslash(desktop)) << desktop;
  char shell[MAX_PATH] = {};
  ASSERT_TRUE(::SHGetSpecialFolderPathA(nullptr, shell, CSIDL_DESKTOPDIRECTORY, FALSE));
  EXPECT_EQ(desktop, std::string(shell) + "\\");
  const DWORD attributes = ::GetFileAttributesA(desktop.c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);

  const std::string probe = desktop + "quarrow-desktop-probe-" + std::to_string(::GetCurrentProcessId()) + ".txt";
  EXPECT_TRUE(cmd::WriteToFile(probe.c_str(), cmd::ToByteSet("1A\r\n")));
  EXPECT_EQ(testing::FileBytes(probe), "1A\r\n");
  EXPECT_TRUE(::DeleteFileA(probe.c_str()));
}

TEST(SpecialFolderPath, OfNumbersWithoutAFolderIsEmpty) {
  for (std::int32_t number : {12, 0, -1, 1000}) {
    const ValueRecord r = CallSpecialFolderPath({ValueRecord::OfInt(number)});
    EXPECT_EQ(r.type, type::kText) << number;
    EXPECT_EQ(r.Text(), nullptr) << number;
  }
  EXPECT_EQ(CallSpecialFolderPath({}).Text(), nullptr) << "no argument";
  EXPECT_EQ(CallSpecialFolderPath({ValueRecord{}}).Text(), nullptr) << "omitted";
}

TEST(SpecialFolderPath, OfTheSystemFoldersIsWhatTheSystemSaysWithOneBackslash) {
  char buffer[MAX_PATH] = {};
  ::GetWindowsDirectoryA(buffer, MAX_PATH);
  EXPECT_EQ(Path(9), std::string(buffer) + "\\");
  ::GetSystemDirectoryA(buffer, MAX_PATH);
  EXPECT_EQ(Path(10), std::string(buffer) + "\\");
  ::GetTempPathA(MAX_PATH, buffer);
  ASSERT_EQ(std::string(buffer).back(), '\\');
  EXPECT_EQ(Path(11), std::string(buffer)) << "a path that has its backslash gets no second one";
}

TEST(SpecialFolderPath, OfTheShellFoldersIsEmptyOrEndsInOneBackslash) {
  const int shell[] = {CSIDL_PERSONAL, CSIDL_FAVORITES, CSIDL_DESKTOPDIRECTORY, CSIDL_FONTS,
                       CSIDL_STARTMENU, CSIDL_PROGRAMS, CSIDL_STARTUP,          CSIDL_APPDATA};
  for (std::int32_t number = 1; number <= 8; ++number) {
    char expected[MAX_PATH] = {};
    const bool exists = ::SHGetSpecialFolderPathA(nullptr, expected, shell[number - 1], FALSE);
    const std::string path = Path(number);
    if (!exists) {
      EXPECT_EQ(path, "") << number;
      continue;
    }
    EXPECT_TRUE(EndsInOneBackslash(path)) << number << ": " << path;
    EXPECT_EQ(path.substr(0, path.size() - 1), std::string(expected)) << number;
  }
}

TEST(SpecialFolderPath, TakesItsNumberAsTheOtherCommandsDo) {
  EXPECT_EQ(TakeText(CallSpecialFolderPath({ValueRecord::OfText("3")})), Path(3)) << "a text read as a number";
  EXPECT_EQ(TakeText(CallSpecialFolderPath({ValueRecord::OfDouble(9.7)})), Path(9)) << "truncated";
}

TEST(SpecialFolderPath, ThroughTheFacadeOwnsItsText) {
  const rt::Text desktop = cmd::SpecialFolderPath(3);
  EXPECT_EQ(desktop.View(), Path(3));
  EXPECT_TRUE(cmd::SpecialFolderPath(12).Empty());
  EXPECT_EQ(cmd::SpecialFolderPath(12).Get(), nullptr);
}

}  // namespace
}  // namespace quarrow
