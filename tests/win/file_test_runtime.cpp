#include "tests/win/file_test_runtime.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

#include "commands/core_library.h"
#include "commands/os_library.h"
#include "runtime/runtime.h"

namespace quarrow::testing {

namespace {

// The OS interface library stands third in the program; the second place holds the extended interface library,
// which the file commands do not need.
const LibraryDescriptor* const kLibraries[] = {&kCoreLibrary, &kOsLibrary};

const char kConstants[] = "";

const ProgramHeader kFileTestHeader = {
    3, 0, 0, nullptr, kConstants, sizeof kConstants, nullptr, 0, 2, kLibraries, 0, nullptr, nullptr,
};

class FileTestRuntime : public ::testing::Environment {
 public:
  void SetUp() override { TheRuntime().Initialise(kFileTestHeader); }
};
const auto* const environment = ::testing::AddGlobalTestEnvironment(new FileTestRuntime);

void RemoveTree(const std::string& folder) {
  for (const std::string& name : NamesIn(folder)) {
    const std::string path = folder + name;
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) continue;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
      RemoveTree(path + "\\");
    } else {
      ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      ::DeleteFileA(path.c_str());
    }
  }
  ::RemoveDirectoryA(folder.c_str());
}

}  // namespace

ScratchFolder::ScratchFolder(const std::string& suffix) {
  static std::atomic<int> serial{0};
  char temp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temp);
  path_ = std::string(temp) + "quarrow-files-" + std::to_string(::GetCurrentProcessId()) + "-" +
          std::to_string(++serial) + suffix;
  EXPECT_TRUE(::CreateDirectoryA(path_.c_str(), nullptr)) << path_ << " error " << ::GetLastError();
  path_ += "\\";
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  const HANDLE find = ::FindFirstFileA((folder + "*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (::FindNextFileA(find, &found));
  ::FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

std::optional<std::string> FileBytes(const std::string& path) {
  const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  ::CloseHandle(file);
  return bytes;
}

bool PutFile(const std::string& path, const std::string& bytes) {
  const HANDLE file =
      ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  return ::CloseHandle(file) && ok;
}

}  // namespace quarrow::testing
