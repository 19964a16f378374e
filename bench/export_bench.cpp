// The export without its dialog — 99,999 rows built into the content, written by WriteToFile through the service
// table, as the click handler writes them — against writing the same bytes with one WriteFile, in the same run.
// Prints both times and the ratio; the goal is an export within 2x of the plain write. For comparison it also
// prints the two costs that any export which holds its content before the dialog and replaces the file safely
// has on top of the plain write: one pass over fresh memory of the file's size, and the flush to the disk.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "app/export_content.h"
#include "app/export_file.h"
#include "commands/core_library.h"
#include "runtime/runtime.h"

namespace {

using namespace quarrow;

constexpr int kRows = 99999;
constexpr int kRounds = 7;

const LibraryDescriptor* const kLibraries[] = {&kCoreLibrary};
const ProgramHeader kBenchHeader = {3, 0, 0, nullptr, nullptr, 0, nullptr, 0, 1, kLibraries, 0, nullptr, nullptr};

using Rows = std::vector<std::pair<std::string, std::string>>;

// Rows as the generate action makes them: the row number, and a prefixed address of Chinese names and numbers.
Rows MakeRows() {
  const char* roads[] = {"长江", "黄河", "人民", "解放", "建设", "和平", "中山", "朝阳"};
  const char* communities[] = {"阳光", "幸福", "锦绣", "翠苑", "金色家园", "东方"};
  Rows rows;
  rows.reserve(kRows);
  std::uint32_t state = 12345;
  auto next = [&state](std::uint32_t bound) {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) % bound;
  };
  for (int i = 1; i <= kRows; ++i) {
    std::string address = "测试";
    address += roads[next(8)];
    address += "路 " + std::to_string(1 + next(999)) + "号 ";
    address += communities[next(6)];
    address += "小区 " + std::to_string(1 + next(30)) + "号楼 " + std::to_string(1 + next(6)) + "单元 " +
               std::to_string(101 + next(2800)) + "室";
    rows.emplace_back(std::to_string(i), std::move(address));
  }
  return rows;
}

template <class Work>
double Seconds(Work work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

bool Export(const Rows& rows, const std::string& path, double* build, double* write) {
  app::ExportContent content(rows.size());
  *build = Seconds([&] {
    for (const auto& [number, address] : rows) content.AddRow(number, address);
  });
  DWORD error = ERROR_SUCCESS;
  *write = Seconds([&] { error = app::WriteExportFile(path.c_str(), content); });
  ::SetLastError(error);
  return error == ERROR_SUCCESS;
}

bool PlainWrite(const std::string& bytes, const std::string& path, bool flush) {
  const HANDLE file =
      ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
  if (flush) ok = ::FlushFileBuffers(file) && ok;
  return ::CloseHandle(file) && ok;
}

// One pass over memory just taken from the system, of the given size: what a copy into a new block costs here.
double FreshMemoryPass(const std::string& bytes) {
  void* block = nullptr;
  const double time = Seconds([&] {
    block = ::VirtualAlloc(nullptr, bytes.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (block) std::memcpy(block, bytes.data(), bytes.size());
  });
  ::VirtualFree(block, 0, MEM_RELEASE);
  return time;
}

std::string ReadFile(const std::string& path) {
  std::string bytes;
  const HANDLE file =
      ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[65536];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  ::CloseHandle(file);
  return bytes;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main() {
  TheRuntime().Initialise(kBenchHeader);
  const Rows rows = MakeRows();

  char temp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temp);
  const std::string pid = std::to_string(::GetCurrentProcessId());
  const std::string exported = std::string(temp) + "quarrow-export-bench-" + pid + ".txt";
  const std::string plain = std::string(temp) + "quarrow-plain-bench-" + pid + ".txt";

  // The baseline writes exactly the bytes the export writes.
  app::ExportContent reference;
  for (const auto& [number, address] : rows) reference.AddRow(number, address);
  const std::string bytes(reference.Bytes());

  std::vector<double> export_total, builds, writes, plain_writes, flushed_writes, fresh_passes;
  for (int round = 0; round < kRounds; ++round) {
    double build = 0, write = 0;
    if (!Export(rows, exported, &build, &write)) {
      std::printf("export failed: error %lu\n", static_cast<unsigned long>(::GetLastError()));
      return 1;
    }
    bool plain_ok = false, flushed_ok = false;
    const double plain_time = Seconds([&] { plain_ok = PlainWrite(bytes, plain, false); });
    flushed_writes.push_back(Seconds([&] { flushed_ok = PlainWrite(bytes, plain, true); }));
    fresh_passes.push_back(FreshMemoryPass(bytes));
    if (!plain_ok || !flushed_ok) {
      std::printf("plain write failed: error %lu\n", static_cast<unsigned long>(::GetLastError()));
      return 1;
    }
    builds.push_back(build);
    writes.push_back(write);
    export_total.push_back(build + write);
    plain_writes.push_back(plain_time);
  }
  if (ReadFile(exported) != bytes || ReadFile(plain) != bytes) {
    std::printf("the two files differ from the expected %zu bytes\n", bytes.size());
    return 1;
  }
  ::DeleteFileA(exported.c_str());
  ::DeleteFileA(plain.c_str());

  const double ours = Median(export_total);
  const double baseline = Median(plain_writes);
  std::printf("%d rows, %zu bytes, median of %d rounds\n", kRows, bytes.size(), kRounds);
  const double flushed = Median(flushed_writes);
  const double fresh = Median(fresh_passes);
  std::printf("  export:     %8.2f ms  (content %.2f ms, WriteToFile %.2f ms)\n", ours * 1e3, Median(builds) * 1e3,
              Median(writes) * 1e3);
  std::printf("  plain write %8.2f ms  (one WriteFile)\n", baseline * 1e3);
  std::printf("  ratio       %8.2f x  (goal: 2 x or less)\n", ours / baseline);
  std::printf("for comparison, in this run:\n");
  std::printf("  plain write and FlushFileBuffers  %8.2f ms\n", flushed * 1e3);
  std::printf("  one copy into fresh memory        %8.2f ms  (the content is written once into fresh memory)\n",
              fresh * 1e3);
  std::printf("  export against the two together   %8.2f x\n", ours / (flushed + fresh));
  return 0;
}
