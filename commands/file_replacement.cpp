#include "commands/file_replacement.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "base/handles.h"
#include "commands/replacement_policy.h"
#include "commands/temporary_names.h"

namespace quarrow {

namespace {

constexpr DWORD kLargestWrite = 0x40000000;

// The reason for the failure the last call reported; never "success", even from a call that forgot to say why.
DWORD FailureCode() {
  const DWORD error = ::GetLastError();
  return error != ERROR_SUCCESS ? error : ERROR_GEN_FAILURE;
}

// The target's full path and the length of its folder part, separator included (the whole path when it names no
// file). The system splits the path: it knows which bytes of a GBK name are backslashes and which are trail bytes
// of a character.
DWORD SplitPath(const char* path, std::string* full, std::size_t* folder_length) {
  std::string buffer(MAX_PATH, '\0');
  char* file_part = nullptr;
  DWORD length = ::GetFullPathNameA(path, static_cast<DWORD>(buffer.size()), buffer.data(), &file_part);
  if (length >= buffer.size()) {
    buffer.assign(length, '\0');
    length = ::GetFullPathNameA(path, static_cast<DWORD>(buffer.size()), buffer.data(), &file_part);
  }
  if (length == 0) return FailureCode();
  if (length >= buffer.size()) return ERROR_FILENAME_EXCED_RANGE;
  *folder_length = file_part == nullptr ? length : static_cast<std::size_t>(file_part - buffer.data());
  buffer.resize(length);
  *full = std::move(buffer);
  return ERROR_SUCCESS;
}

// The system gives a device a name of its own, whatever folder the name was typed in: "NUL" is "\\.\NUL".
bool IsDeviceName(const std::string& full_path) { return full_path.rfind("\\\\.\\", 0) == 0; }

// What the target is, and (for a file) whether it may be written. A read-only file is refused before anything is
// written, as opening it for writing would be; replacing it by a move would not ask everywhere.
TargetWay WayFor(const std::string& target) {
  if (IsDeviceName(target)) return ChooseTargetWay(TargetKind::kDevice, true);
  const DWORD attributes = ::GetFileAttributesA(target.c_str());
  // Missing: a new file, or a folder that is missing, which creating the temporary then reports.
  if (attributes == INVALID_FILE_ATTRIBUTES) return ChooseTargetWay(TargetKind::kMissing, true);
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return ChooseTargetWay(TargetKind::kFolder, false);
  return ChooseTargetWay(TargetKind::kFile, (attributes & FILE_ATTRIBUTE_READONLY) == 0);
}

// Temporaries of this target that earlier writes left behind when their process was ended before it finished.
// One that is still being written is open without sharing, so it cannot be removed and stays.
void RemoveStaleTemporaries(const std::string& folder, const std::string& stem) {
  WIN32_FIND_DATAA found;
  const HANDLE search = ::FindFirstFileA((folder + stem + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  constexpr DWORD kNoPlainFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
  do {
    const FolderEntry entry{found.cFileName, (found.dwFileAttributes & kNoPlainFile) == 0,
                            (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0};
    if (MayBeStaleTemporary(stem, entry)) ::DeleteFileA((folder + found.cFileName).c_str());
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
}

// A new file of a name that no other file has, in the given folder, open for writing and shared with no one.
DWORD CreateTemporaryFile(const std::string& folder, const std::string& stem, std::string* name, OwnedHandle* file) {
  DWORD seed = (::GetCurrentProcessId() * 0x9E3779B1u) ^ ::GetTickCount() ^ ::GetCurrentThreadId();
  DWORD error = ERROR_FILE_EXISTS;
  for (int attempt = 0;
       attempt < kTemporaryNameAttempts && (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS); ++attempt) {
    seed = NextTemporaryAttempt(seed);
    *name = folder + TemporaryName(stem, seed);
    const HANDLE handle =
        ::CreateFileA(name->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
      file->Reset(handle);
      return ERROR_SUCCESS;
    }
    error = FailureCode();
  }
  return error;
}

DWORD WriteAll(HANDLE file, const std::uint8_t* bytes, std::size_t size) {
  while (size > 0) {
    const DWORD chunk = size > kLargestWrite ? kLargestWrite : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!::WriteFile(file, bytes, chunk, &written, nullptr)) return FailureCode();
    if (written == 0) return ERROR_WRITE_FAULT;
    bytes += written;
    size -= written;
  }
  return ERROR_SUCCESS;
}

}  // namespace

FileReplacement::~FileReplacement() { Abandon(); }

void FileReplacement::Abandon() {
  file_.Reset();
  if (!temporary_.empty()) ::DeleteFileA(temporary_.c_str());
  temporary_.clear();
}

DWORD FileReplacement::Begin(const char* path) {
  if (path == nullptr || *path == '\0') return ERROR_INVALID_NAME;
  std::size_t folder_length = 0;
  if (const DWORD error = SplitPath(path, &target_, &folder_length); error != ERROR_SUCCESS) return error;
  const TargetWay way = WayFor(target_);
  if (way == TargetWay::kWriteDirectly) {
    // By the name as given: some systems open "CON" but not the "\\.\CON" it stands for.
    const HANDLE device = ::CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (device == INVALID_HANDLE_VALUE) return FailureCode();
    file_.Reset(device);
    direct_ = true;
    return ERROR_SUCCESS;
  }
  if (folder_length == target_.size()) return ERROR_INVALID_NAME;  // names a folder, not a file
  const std::string folder = target_.substr(0, folder_length);
  const std::string stem = TemporaryStem(std::string_view(target_).substr(folder_length));
  RemoveStaleTemporaries(folder, stem);
  if (way != TargetWay::kReplace) return ERROR_ACCESS_DENIED;
  const DWORD error = CreateTemporaryFile(folder, stem, &temporary_, &file_);
  if (error != ERROR_SUCCESS) temporary_.clear();  // the name was never created, or belongs to someone else
  return error;
}

DWORD FileReplacement::Write(const void* bytes, std::size_t size) {
  return WriteAll(file_.Get(), static_cast<const std::uint8_t*>(bytes), size);
}

DWORD FileReplacement::Commit() {
  // A device's own write reports what went wrong; there is nothing to flush or move.
  if (direct_) return ::CloseHandle(file_.Release()) ? ERROR_SUCCESS : FailureCode();
  DWORD error = ::FlushFileBuffers(file_.Get()) ? ERROR_SUCCESS : FailureCode();
  // Closing can report a failure of its own: a write the system had held back.
  if (!::CloseHandle(file_.Release()) && error == ERROR_SUCCESS) error = FailureCode();
  if (error == ERROR_SUCCESS &&
      !::MoveFileExA(temporary_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = FailureCode();
  }
  if (error == ERROR_SUCCESS) temporary_.clear();
  return error;
}

DWORD ReplaceFileContents(const char* path, std::span<const ByteSetView> parts) {
  FileReplacement replacement;
  if (const DWORD error = replacement.Begin(path); error != ERROR_SUCCESS) return error;
  for (const ByteSetView& part : parts) {
    if (const DWORD error = replacement.Write(part.data, part.size); error != ERROR_SUCCESS) return error;
  }
  return replacement.Commit();
}

}  // namespace quarrow
