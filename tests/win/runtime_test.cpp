// The runtime inside this test process: service entries, notify handlers and idle callbacks against a test
// program header with a library of two unit types.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "runtime/facade.h"
#include "runtime/find_file.h"
#include "runtime/runtime.h"
#include "runtime/runtime_notify.h"
#include "runtime/service_table.h"
#include "tests/support/child_process.h"
#include "tests/support/runtime_fixture.h"
#include "tests/support/scratch_folder.h"

namespace quarrow {
namespace {

std::int32_t library_notify_codes[4];
std::uintptr_t runtime_notify_given = 0;

std::intptr_t TestLibraryNotify(std::int32_t code, std::uintptr_t arg1, std::uintptr_t) {
  if (code == 1) runtime_notify_given = arg1;
  library_notify_codes[0] = code;
  return 0;
}

const PropertyEntry kProperties[] = {Property(1001, 0xE000)};
const UnitTypeEntry kUnitTypes[] = {
    {"甲", "First", {}, 0x80000040, {}, 1, kProperties, nullptr, {}},
    {nullptr, nullptr, {}, 0, {}, 0, nullptr, nullptr, {}},  // an empty slot
    {"丙", "Third", {}, 0x80000004, {}, 1, kProperties, nullptr, {}},
};
const LibraryDescriptor kTestLibrary = {
    kLibraryFormatCode, "0123456789abcdef0123456789abcdef", {5, 3, 64}, {3, 7, 3, 7}, "测试", 1, {},
    3, kUnitTypes, {0, 0}, 0, 0, nullptr, {0, 0}, TestLibraryNotify, {}};
const LibraryDescriptor* const kLibraries[] = {&kTestLibrary};

// Constant data as an application lays it out: the empty text, a literal, an empty one-dimensional int array.
alignas(4) const std::uint8_t kConstants[] = {0, 'l', 'i', 't', 0, 1, 0, 0, 0, 0, 0, 0, 0};

const ProgramHeader kTestHeader = {
    3, 0, 0x000100D4, nullptr, kConstants, sizeof kConstants, nullptr, 0, 1, kLibraries, 0, nullptr, nullptr,
};

const bool installed = testing::InstallRuntime(kTestHeader, testing::Boxes::kWatchedByTests);

// A command that records how it was called and touches nothing else.
struct CallSeen {
  ValueRecord* result;
  std::int32_t count;
  ValueRecord* args;
} seen;
void RecordingCommand(ValueRecord* result, std::int32_t count, ValueRecord* args) { seen = {result, count, args}; }
void AnswerCommand(ValueRecord* result, std::int32_t count, ValueRecord* args) {
  *result = ValueRecord::OfInt(count == 2 ? args[0].Int() + args[1].Int() : -1);
}

TEST(ServiceTable, HasThirteenEntriesAllFilled) {
  const auto* entries = reinterpret_cast<void* const*>(&Services());
  for (int i = 0; i < 13; ++i) EXPECT_NE(entries[i], nullptr) << "entry " << i;
}

TEST(ServiceTable, ACommandWithCountZeroGetsTheAddressOfTheFirstRecordAndMustNotReadIt) {
  // A page that cannot be read: any read of the (absent) first record would fault.
  void* guard = ::VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_NOACCESS);
  ASSERT_NE(guard, nullptr);
  const ValueRecord r = Services().call_core_command(RecordingCommand, 0, static_cast<ValueRecord*>(guard));
  EXPECT_EQ(seen.count, 0);
  EXPECT_EQ(seen.args, guard);
  EXPECT_NE(seen.result, nullptr);
  EXPECT_EQ(r.word1, 0u);
  EXPECT_EQ(r.word2, 0u);
  EXPECT_EQ(r.type, type::kNone) << "a command that returns nothing yields value 0 and type 0";
  ::VirtualFree(guard, 0, MEM_RELEASE);
}

TEST(ServiceTable, ArgumentsLieOneAfterAnotherAndTheResultComesBack) {
  const ValueRecord r = rt::CallLibrary(AnswerCommand, {rt::Arg(40), rt::Arg(2)});
  EXPECT_EQ(r.type, type::kInt);
  EXPECT_EQ(r.Int(), 42);
}

TEST(Initialise, CallsEachLibraryWithTheRuntimeNotifyEntry) {
  EXPECT_EQ(runtime_notify_given, reinterpret_cast<std::uintptr_t>(&RuntimeNotify));
  EXPECT_EQ(library_notify_codes[0], 1);
  EXPECT_NE(TheRuntime().HiddenOwner(), nullptr);
  char cls[32] = {};
  ::GetClassNameA(TheRuntime().HiddenOwner(), cls, sizeof cls);
  EXPECT_STREQ(cls, "_ZR_HideOwner");
  EXPECT_EQ(TheRuntime().ProgramMode(), 3u);
  EXPECT_EQ(TheRuntime().MainThreadId(), ::GetCurrentThreadId());
  char current[MAX_PATH] = {};
  ::GetCurrentDirectoryA(MAX_PATH, current);
  EXPECT_EQ(std::string(current) + "\\", testing::ProgramFolder());
}

TEST(UnitTypes, AreFoundOnlyForExistingLibraryAndTypeNumbers) {
  EXPECT_STREQ(TheRuntime().FindUnitType(UnitTypeRef(1, 1))->english_name, "First");
  EXPECT_EQ(TheRuntime().FindUnitType(UnitTypeRef(1, 0)), nullptr);
  EXPECT_EQ(TheRuntime().FindUnitType(UnitTypeRef(1, 2)), nullptr) << "an empty slot";
  EXPECT_EQ(TheRuntime().FindUnitType(UnitTypeRef(1, 4)), nullptr);
  EXPECT_EQ(TheRuntime().FindUnitType(UnitTypeRef(4, 1)), nullptr);
  EXPECT_EQ(TheRuntime().FindUnitType(type::kInt), nullptr);
  EXPECT_EQ(RuntimeNotify(notify_code::kUnitTypeEntry, UnitTypeRef(1, 3), 0),
            reinterpret_cast<std::intptr_t>(&kUnitTypes[2]));
  EXPECT_EQ(RuntimeNotify(notify_code::kCanRaiseEvents, UnitTypeRef(1, 1), 0), 1);
  EXPECT_EQ(RuntimeNotify(notify_code::kCanRaiseEvents, UnitTypeRef(1, 3), 0), 2);
  EXPECT_EQ(RuntimeNotify(notify_code::kCanRaiseEvents, UnitTypeRef(1, 2), 0), 0);
}

TEST(RuntimeNotify, CodesOutsideTheRangesReturnZero) {
  EXPECT_EQ(RuntimeNotify(999, 1, 2), 0);
  EXPECT_EQ(RuntimeNotify(1015, 1, 2), 0);
  EXPECT_EQ(RuntimeNotify(2041, 1, 2), 0);
  EXPECT_EQ(RuntimeNotify(1004, 0, 0), 1);
  EXPECT_EQ(RuntimeNotify(1005, 0, 0), 0x00030005);
  EXPECT_EQ(RuntimeNotify(notify_code::kProgramMode, 0, 0), 3);
}

TEST(RuntimeNotify, TheMayFailAllocationAndFreeArrayWork) {
  void* p = reinterpret_cast<void*>(RuntimeNotify(notify_code::kAllocate, 64, 1));
  ASSERT_NE(p, nullptr);
  RuntimeNotify(notify_code::kFree, reinterpret_cast<std::uintptr_t>(p), 0);

  // A text array of two elements, one of them empty.
  auto* array = static_cast<std::uint8_t*>(Services().allocate(8 + 2 * sizeof(void*)));
  WriteBlockWord(array, 1);
  WriteBlockWord(array + 4, 2);
  char* text = TheRuntime().Memory().CopyText("x");
  char* none = nullptr;
  std::memcpy(array + 8, &text, sizeof text);
  std::memcpy(array + 8 + sizeof(void*), &none, sizeof none);
  RuntimeNotify(notify_code::kFreeArray, type::kText | type::kArrayBit, reinterpret_cast<std::uintptr_t>(array));
  // Nothing to observe but that the heap is still sound: a double free would have been caught by the heap.
  EXPECT_NE(::HeapValidate(::GetProcessHeap(), 0, nullptr), FALSE);
}

TEST(Memory, ConstantsAreNeitherFreedNorResizedInPlace) {
  const char* literal = reinterpret_cast<const char*>(kConstants + 1);
  Services().free(const_cast<char*>(literal));
  auto* copy = static_cast<char*>(Services().reallocate(const_cast<char*>(literal), 2));
  EXPECT_EQ(std::memcmp(copy, "li", 2), 0);
  EXPECT_NE(copy, literal);
  Services().free(copy);
  EXPECT_STREQ(literal, "lit");
}

TEST(Memory, MakeArrayPrivateCopiesAConstantArray) {
  void* array = const_cast<std::uint8_t*>(kConstants + 5);
  Services().notify(notify_index::kMakeArrayPrivate, 4, reinterpret_cast<std::uintptr_t>(&array), 0, 0, 0, 0);
  EXPECT_NE(array, kConstants + 5);
  EXPECT_EQ(std::memcmp(array, kConstants + 5, 8), 0);
  Services().free(array);
}

int idle_calls[3];
void CountIdle(std::uintptr_t which) { ++idle_calls[which]; }

TEST(IdleCallbacks, RunForLiveWindowsAndDropDeadOnes) {
  HWND live = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  HWND dead = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  Runtime& runtime = TheRuntime();
  runtime.AddIdleCallback(live, CountIdle, 0);
  runtime.AddIdleCallback(dead, CountIdle, 1);
  runtime.AddIdleCallback(live, CountIdle, 2);  // the window is there already: ignored
  EXPECT_EQ(runtime.IdleCallbackCount(), 2u);
  ::DestroyWindow(dead);
  runtime.RunIdleCallbacks();
  EXPECT_EQ(idle_calls[0], 1);
  EXPECT_EQ(idle_calls[1], 0);
  EXPECT_EQ(idle_calls[2], 0);
  EXPECT_EQ(runtime.IdleCallbackCount(), 1u);
  runtime.RemoveIdleCallback(live);
  EXPECT_EQ(runtime.IdleCallbackCount(), 0u);
  ::DestroyWindow(live);
}

// Under Wine every file reports the archive bit, so the attribute words without it are put to the rule directly.
TEST(FindFile, ALimitedMaskOfZeroMatchesOnlyAnAttributeWordOfZero) {
  EXPECT_TRUE(FindAttributesMatch(0, 0, false));
  EXPECT_FALSE(FindAttributesMatch(FILE_ATTRIBUTE_NORMAL, 0, false));
  EXPECT_FALSE(FindAttributesMatch(FILE_ATTRIBUTE_NOT_CONTENT_INDEXED, 0, false));
  EXPECT_FALSE(FindAttributesMatch(FILE_ATTRIBUTE_NORMAL, FILE_ATTRIBUTE_NORMAL, false)) << "limited to 0 as well";
  EXPECT_TRUE(FindAttributesMatch(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED, FILE_ATTRIBUTE_HIDDEN,
                                  false));
  EXPECT_FALSE(FindAttributesMatch(FILE_ATTRIBUTE_ARCHIVE, FILE_ATTRIBUTE_HIDDEN, false));
}

TEST(FindFile, WalksAFolderAndContinuesThroughItsSlot) {
  const std::string folder = testing::TemporaryPath("find");
  ::CreateDirectoryA(folder.c_str(), nullptr);
  for (const char* name : {"\\a.txt", "\\b.txt"}) {
    HANDLE h = ::CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ::CloseHandle(h);
  }
  ::SetFileAttributesA((folder + "\\b.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  ::CreateDirectoryA((folder + "\\sub").c_str(), nullptr);

  auto find = [](const std::string& pattern, std::uint32_t mask, bool any, HANDLE* slot) {
    return rt::Text::Adopt(reinterpret_cast<char*>(static_cast<std::uintptr_t>(Services().notify(
        notify_index::kFindFile, reinterpret_cast<std::uintptr_t>(pattern.c_str()), mask, any,
        reinterpret_cast<std::uintptr_t>(slot), 0, 0))));
  };
  HANDLE slot = nullptr;
  EXPECT_TRUE(find("", 0, false, &slot).Empty()) << "an empty pattern without a search finds nothing";

  std::vector<std::string> names;
  for (rt::Text t = find(folder + "\\*", 0, true, &slot); !t.Empty(); t = find("", 0, true, &slot)) {
    names.emplace_back(t.View());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a.txt", "b.txt"})) << "match-any skips directories";
  EXPECT_EQ(slot, nullptr);

  rt::Text hidden = find(folder + "\\*", FILE_ATTRIBUTE_HIDDEN, false, &slot);
  EXPECT_EQ(hidden.View(), "b.txt");
  Services().notify(notify_index::kCloseFind, reinterpret_cast<std::uintptr_t>(slot), 0, 0, 0, 0, 0);

  ::SetFileAttributesA((folder + "\\b.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileA((folder + "\\a.txt").c_str());
  ::DeleteFileA((folder + "\\b.txt").c_str());
  ::RemoveDirectoryA((folder + "\\sub").c_str());
  ::RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace quarrow
