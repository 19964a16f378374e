// ToByteSet and WriteToFile called the way application code calls them: through service entry 3 with argument
// records, and through the typed facade. Every WriteToFile test works in a scratch folder of its own and checks
// afterwards that the folder holds exactly the files it should: no temporary file may be left in any case.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "commands/core_commands.h"
#include "commands/core_facade.h"
#include "commands/temporary_names.h"
#include "runtime/runtime.h"
#include "tests/win/file_test_runtime.h"

namespace quarrow {
namespace {

using testing::FileBytes;
using testing::NamesIn;
using testing::PutFile;
using testing::ScratchFolder;
using Names = std::vector<std::string>;
namespace cc = core_command;

ValueRecord Call(std::int32_t command, std::vector<ValueRecord> args) {
  return Services().call_core_command(kCoreCommands[command], static_cast<std::int32_t>(args.size()), args.data());
}

ValueRecord Text(const char* text) { return ValueRecord::OfText(text); }
// The string must outlive the call.
ValueRecord Text(const std::string& text) { return ValueRecord::OfText(text.c_str()); }

// A byte set on the runtime heap, freed when the test is done with it.
class HeapBytes {
 public:
  explicit HeapBytes(const std::string& bytes)
      : block_(TheRuntime().Memory().ByteSetFromBytes(bytes.data(), bytes.size())) {}
  ~HeapBytes() { Services().free(block_); }
  HeapBytes(const HeapBytes&) = delete;
  ValueRecord Arg() const { return ValueRecord::OfPointer(type::kByteSet, block_); }

 private:
  void* block_;
};

// The empty byte set as application code passes it: a constant block of length 0.
const std::int32_t kEmptyBlock[2] = {1, 0};
const ValueRecord kEmptyByteSet = ValueRecord::OfPointer(type::kByteSet, kEmptyBlock);
const ValueRecord kNullByteSet = ValueRecord::OfPointer(type::kByteSet, nullptr);

// Calls WriteToFile; the result must be a logical value, and the thread's last error must agree with it.
bool WriteToFile(std::vector<ValueRecord> args, DWORD* reason = nullptr) {
  ::SetLastError(0xDEAD);
  const ValueRecord result = Call(cc::kWriteToFile, std::move(args));
  const DWORD error = ::GetLastError();
  EXPECT_EQ(result.type, type::kLogical);
  EXPECT_TRUE(result.word1 == 0 || result.word1 == 1) << "true is produced as 1";
  if (result.Logical()) {
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_SUCCESS));
  } else {
    EXPECT_NE(error, static_cast<DWORD>(ERROR_SUCCESS)) << "a failure has a reason";
  }
  if (reason) *reason = error;
  return result.Logical();
}

std::string ByteSetBytes(const ValueRecord& result) {
  EXPECT_EQ(result.type, type::kByteSet);
  const ByteSetView view = ByteSetView::Of(result.Pointer());
  return std::string(reinterpret_cast<const char*>(view.data), view.size);
}

TEST(CoreCommandTable, HasTheFileCommandsInTheirPlaces) {
  EXPECT_NE(kCoreCommands[cc::kToByteSet], nullptr);
  EXPECT_NE(kCoreCommands[cc::kWriteToFile], nullptr);
  EXPECT_NE(kCoreCommands[cc::kToByteSet], kCoreCommands[cc::kWriteToFile]);
}

TEST(ToByteSet, GivesARuntimeHeapBlockOfCountAndBytes) {
  const ValueRecord ab = Call(cc::kToByteSet, {Text("ab")});
  ASSERT_EQ(ab.type, type::kByteSet);
  const auto* block = ab.Pointer<std::uint8_t>();
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(::HeapSize(::GetProcessHeap(), 0, block), 10u) << "1, 2, then the two bytes";
  EXPECT_EQ(ReadBlockWord(block), 1);
  EXPECT_EQ(ReadBlockWord(block + 4), 2);
  EXPECT_EQ(std::memcmp(block + 8, "ab", 2), 0);
  Services().free(const_cast<std::uint8_t*>(block));

  const ValueRecord one = Call(cc::kToByteSet, {ValueRecord::OfInt(1)});
  EXPECT_EQ(ByteSetBytes(one), std::string("\x01\x00\x00\x00", 4));
  Services().free(one.Pointer());
}

TEST(ToByteSet, OfTheEmptyTextIsTheNullByteSet) {
  for (const ValueRecord& empty : {Text(""), ValueRecord::OfText(nullptr), ValueRecord{}}) {
    const ValueRecord r = Call(cc::kToByteSet, {empty});
    EXPECT_EQ(r.type, type::kByteSet);
    EXPECT_EQ(r.Pointer(), nullptr) << "never a block of length 0";
  }
  const ValueRecord none = Services().call_core_command(kCoreCommands[cc::kToByteSet], 0, nullptr);
  EXPECT_EQ(none.Pointer(), nullptr);
}

TEST(ToByteSet, CopiesAByteSetRatherThanSharingIt) {
  HeapBytes original(std::string("\x00\x01\x02", 3));
  const ValueRecord copy = Call(cc::kToByteSet, {original.Arg()});
  EXPECT_NE(copy.Pointer(), original.Arg().Pointer());
  EXPECT_EQ(ByteSetBytes(copy), std::string("\x00\x01\x02", 3));
  Services().free(copy.Pointer());
}

TEST(ToByteSet, ThroughTheFacadeOwnsItsBlock) {
  const rt::ByteSet bytes = cmd::ToByteSet("导出");
  EXPECT_EQ(bytes.Size(), 4u);
  EXPECT_EQ(std::memcmp(bytes.View().data, "导出", 4), 0);
  EXPECT_EQ(cmd::ToByteSet("").Get(), nullptr);
  EXPECT_EQ(cmd::ToByteSet(static_cast<const char*>(nullptr)).Get(), nullptr);
}

TEST(WriteToFile, ReplacesALongerFileByExactlyTheNewBytes) {
  ScratchFolder folder;
  const std::string path = folder / "out.txt";
  ASSERT_TRUE(PutFile(path, std::string(5000, 'x')));
  HeapBytes bytes("1A\r\n2B\r\n");
  EXPECT_TRUE(WriteToFile({Text(path), bytes.Arg()}));
  EXPECT_EQ(FileBytes(path), "1A\r\n2B\r\n");
  EXPECT_EQ(NamesIn(folder.Path()), Names{"out.txt"});
}

TEST(WriteToFile, CreatesANewFile) {
  ScratchFolder folder;
  HeapBytes bytes(std::string("\x00\xFF\r\n", 4));
  EXPECT_TRUE(WriteToFile({Text(folder / "new.bin"), bytes.Arg()}));
  EXPECT_EQ(FileBytes(folder / "new.bin"), std::string("\x00\xFF\r\n", 4));
  EXPECT_EQ(NamesIn(folder.Path()), Names{"new.bin"});
}

TEST(WriteToFile, JoinsItsByteSetsInOrderAndSkipsTheEmptyOnes) {
  ScratchFolder folder;
  HeapBytes first("first|"), second("second|"), third("third");
  EXPECT_TRUE(WriteToFile({Text(folder / "parts"), kNullByteSet, first.Arg(), kEmptyByteSet, second.Arg(),
                           ValueRecord::OfInt(0x41414141), third.Arg()}));
  EXPECT_EQ(FileBytes(folder / "parts"), "first|second|third") << "nothing between the parts, no other types";
  EXPECT_EQ(NamesIn(folder.Path()), Names{"parts"});
}

TEST(WriteToFile, OnlyEmptyByteSetsLeaveAnEmptyFileAndSucceed) {
  ScratchFolder folder;
  ASSERT_TRUE(PutFile(folder / "old.txt", "old content"));
  EXPECT_TRUE(WriteToFile({Text(folder / "old.txt"), kEmptyByteSet, kNullByteSet}));
  EXPECT_EQ(FileBytes(folder / "old.txt"), "");
  EXPECT_TRUE(WriteToFile({Text(folder / "fresh.txt"), kEmptyByteSet}));
  EXPECT_EQ(FileBytes(folder / "fresh.txt"), "");
  EXPECT_TRUE(WriteToFile({Text(folder / "name-only.txt")}));
  EXPECT_EQ(FileBytes(folder / "name-only.txt"), "");
  EXPECT_EQ(NamesIn(folder.Path()), (Names{"fresh.txt", "name-only.txt", "old.txt"}));
}

TEST(WriteToFile, TheEmptyNameFailsAndCreatesNothing) {
  ScratchFolder folder;
  char previous[MAX_PATH] = {};
  ::GetCurrentDirectoryA(MAX_PATH, previous);
  ASSERT_TRUE(::SetCurrentDirectoryA(folder.Path().c_str()));
  HeapBytes bytes("data");
  DWORD reason = 0;
  EXPECT_FALSE(WriteToFile({Text(""), bytes.Arg()}, &reason));
  EXPECT_EQ(reason, static_cast<DWORD>(ERROR_INVALID_NAME));
  EXPECT_FALSE(WriteToFile({ValueRecord::OfText(nullptr), bytes.Arg()}));
  EXPECT_FALSE(WriteToFile({ValueRecord{}, bytes.Arg()})) << "omitted";
  EXPECT_FALSE(WriteToFile({ValueRecord::OfInt(7), bytes.Arg()})) << "a number is no file name";
  EXPECT_FALSE(WriteToFile({}));
  ::SetCurrentDirectoryA(previous);
  EXPECT_EQ(NamesIn(folder.Path()), Names{});
}

TEST(WriteToFile, ATargetHeldOpenWithoutSharingStaysAsItWas) {
  ScratchFolder folder;
  const std::string path = folder / "busy.txt";
  ASSERT_TRUE(PutFile(path, "the old bytes"));
  const HANDLE held = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  HeapBytes bytes("new");
  DWORD reason = 0;
  EXPECT_FALSE(WriteToFile({Text(path), bytes.Arg()}, &reason));
  EXPECT_TRUE(reason == ERROR_SHARING_VIOLATION || reason == ERROR_ACCESS_DENIED) << reason;
  ::CloseHandle(held);
  EXPECT_EQ(FileBytes(path), "the old bytes");
  EXPECT_EQ(NamesIn(folder.Path()), Names{"busy.txt"});

  // Once the other handle is gone, the same call succeeds.
  EXPECT_TRUE(WriteToFile({Text(path), bytes.Arg()}));
  EXPECT_EQ(FileBytes(path), "new");
}

TEST(WriteToFile, AReadOnlyTargetStaysAsItWas) {
  ScratchFolder folder;
  const std::string path = folder / "locked.txt";
  ASSERT_TRUE(PutFile(path, "keep me"));
  ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  HeapBytes bytes("overwritten");
  DWORD reason = 0;
  EXPECT_FALSE(WriteToFile({Text(path), bytes.Arg()}, &reason));
  EXPECT_EQ(reason, static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(FileBytes(path), "keep me");
  EXPECT_TRUE(::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(NamesIn(folder.Path()), Names{"locked.txt"});
}

TEST(WriteToFile, AMissingFolderFailsAndCreatesNothing) {
  ScratchFolder folder;
  HeapBytes bytes("data");
  DWORD reason = 0;
  EXPECT_FALSE(WriteToFile({Text(folder / "missing\\out.txt"), bytes.Arg()}, &reason));
  EXPECT_EQ(reason, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(NamesIn(folder.Path()), Names{});
}

TEST(WriteToFile, AFolderIsNoFile) {
  ScratchFolder folder;
  ASSERT_TRUE(::CreateDirectoryA((folder / "sub").c_str(), nullptr));
  HeapBytes bytes("data");
  EXPECT_FALSE(WriteToFile({Text(folder / "sub"), bytes.Arg()}));
  EXPECT_FALSE(WriteToFile({Text(folder / "sub\\"), bytes.Arg()}));
  EXPECT_TRUE(::GetFileAttributesA((folder / "sub").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(NamesIn(folder.Path()), Names{"sub"});
  EXPECT_EQ(NamesIn(folder / "sub\\"), Names{});
}

TEST(WriteToFile, WritesChineseNamesWhereTheySay) {
  // "乗" is 81 5C in GBK: a backslash's code as the trail byte, in the folder's name and in the file's.
  ScratchFolder folder("-导出乗");
  const std::string name = "地址乗.txt";
  HeapBytes bytes("1前缀长江路\r\n");
  EXPECT_TRUE(WriteToFile({Text(folder / name), bytes.Arg()}));
  EXPECT_EQ(NamesIn(folder.Path()), Names{name});
  EXPECT_EQ(FileBytes(folder / name), "1前缀长江路\r\n");
}

TEST(WriteToFile, TakesARelativeNameFromTheCurrentFolder) {
  ScratchFolder folder;
  char previous[MAX_PATH] = {};
  ::GetCurrentDirectoryA(MAX_PATH, previous);
  ASSERT_TRUE(::SetCurrentDirectoryA(folder.Path().c_str()));
  HeapBytes bytes("here");
  const bool written = WriteToFile({Text("relative.txt"), bytes.Arg()});
  ::SetCurrentDirectoryA(previous);
  EXPECT_TRUE(written);
  EXPECT_EQ(FileBytes(folder / "relative.txt"), "here");
  EXPECT_EQ(NamesIn(folder.Path()), Names{"relative.txt"});
}

TEST(WriteToFile, WritesADeviceWhereItStands) {
  ScratchFolder folder;
  HeapBytes bytes("1A\r\n");
  EXPECT_TRUE(WriteToFile({Text(folder / "NUL"), bytes.Arg()})) << "the null device takes the bytes, in any folder";
  EXPECT_EQ(NamesIn(folder.Path()), Names{}) << "no file in its place and no temporary beside it";
}

TEST(WriteToFile, WritesLargeByteSetsWhole) {
  ScratchFolder folder;
  std::string big(3 * 1024 * 1024 + 17, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 131 + (i >> 12));
  const std::string tail(70000, '\x5C');
  HeapBytes first(big), second(tail);
  ASSERT_TRUE(PutFile(folder / "big.bin", std::string(10 * 1024 * 1024, 'z')));
  EXPECT_TRUE(WriteToFile({Text(folder / "big.bin"), first.Arg(), second.Arg()}));
  EXPECT_EQ(FileBytes(folder / "big.bin"), big + tail);
  EXPECT_EQ(NamesIn(folder.Path()), Names{"big.bin"});
}

TEST(WriteToFile, RemovesWhatAnEndedWriteToTheSameTargetLeftBehind) {
  ScratchFolder folder;
  const std::string path = folder / "Out.txt";
  ASSERT_TRUE(PutFile(path, "the old bytes"));
  // As a process ended in the middle of a write leaves them: partly written, closed by the system.
  const std::string stale = TemporaryName(TemporaryStem("out.TXT"), 0x12345678);
  const std::string stale_lower = TemporaryName(TemporaryStem("out.txt"), 0xABCDEF01);
  ASSERT_TRUE(PutFile(folder / stale, "1A\r\n2"));
  ASSERT_TRUE(PutFile(folder / stale_lower, ""));
  // Not ours to remove: another target's temporary, a user's file of a similar name, and a temporary that a
  // write still running holds open.
  const std::string others = TemporaryName(TemporaryStem("other.txt"), 1);
  const std::string users = TemporaryStem("Out.txt") + ".tmp";
  const std::string running = TemporaryName(TemporaryStem("Out.txt"), 2);
  for (const std::string& name : {others, users, running}) ASSERT_TRUE(PutFile(folder / name, "keep"));
  const HANDLE held = ::CreateFileA((folder / running).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);

  HeapBytes bytes("new");
  EXPECT_TRUE(WriteToFile({Text(path), bytes.Arg()}));
  ::CloseHandle(held);
  EXPECT_EQ(FileBytes(path), "new");
  Names expected{"Out.txt", others, users, running};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(NamesIn(folder.Path()), expected);
  EXPECT_EQ(FileBytes(folder / running), "keep");
}

TEST(WriteToFile, RemovesStaleTemporariesEvenWhenTheWriteFails) {
  ScratchFolder folder;
  const std::string path = folder / "locked.txt";
  ASSERT_TRUE(PutFile(path, "keep me"));
  ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(PutFile(folder / TemporaryName(TemporaryStem("locked.txt"), 7), "partial"));
  HeapBytes bytes("overwritten");
  EXPECT_FALSE(WriteToFile({Text(path), bytes.Arg()}));
  EXPECT_EQ(FileBytes(path), "keep me");
  EXPECT_EQ(NamesIn(folder.Path()), Names{"locked.txt"});
}

TEST(WriteToFile, ThroughTheFacadeLeavesTheReasonForTheCaller) {
  ScratchFolder folder;
  const rt::ByteSet bytes = cmd::ToByteSet("1A\r\n");
  EXPECT_FALSE(cmd::WriteToFile((folder / "no\\such\\folder.txt").c_str(), bytes));
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

  ::SetLastError(ERROR_ACCESS_DENIED);
  EXPECT_TRUE(cmd::WriteToFile((folder / "a.txt").c_str(), bytes));
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(FileBytes(folder / "a.txt"), "1A\r\n");

  EXPECT_TRUE(cmd::WriteToFile((folder / "a.txt").c_str(), rt::ByteSet())) << "the empty byte set";
  EXPECT_EQ(FileBytes(folder / "a.txt"), "");
  EXPECT_FALSE(cmd::WriteToFile(static_cast<const char*>(nullptr), bytes));
  EXPECT_EQ(NamesIn(folder.Path()), Names{"a.txt"});
}

}  // namespace
}  // namespace quarrow
