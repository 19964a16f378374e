#include "commands/file_replacement.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "commands/temporary_names.h"
#include "base/handles.h"

namespace quarrow {

namespace {

constexpr int kNameAttempts = 64;
constexpr DWORD kLargestWrite = 0x40000000;

// The reason for the failure the last call reported; never "success", even from a call that forgot to say why.
DWORD FailureCode() {
  const DWORD error = ::GetLastError();
  return error != ERROR_SUCCESS ? error : ERROR_GEN_FAILURE;
}

// The target's full path and the length of its folder part, separator included. The system splits the path: it
// knows which bytes of a GBK name are backslashes and which are trail bytes of a character.
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
  if (file_part == nullptr || *file_part == '\0') return ERROR_INVALID_NAME;  // names a folder, not a file
  *folder_length = static_cast<std::size_t>(file_part - buffer.data());
  buffer.resize(length);
  *full = std::move(buffer);
  return ERROR_SUCCESS;
}

// A target that exists must be a file that may be written: a read-only file or a folder is refused before
// anything is written, as opening it for writing would be. (Replacing by a move would not ask everywhere.)
DWORD CheckTarget(const std::string& target) {
  const DWORD attributes = ::GetFileAttributesA(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return ERROR_SUCCESS;  // a new file, or a folder that is missing
  if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return ERROR_ACCESS_DENIED;
  return ERROR_SUCCESS;
}

// Temporaries of this target that earlier writes left behind when their process was ended before it finished.
// One that is still being written is open without sharing, so it cannot be removed and stays; so do read-only
// files and folders, which no write of ours leaves.
void RemoveStaleTemporaries(const std::string& folder, const std::string& stem) {
  WIN32_FIND_DATAA found;
  const HANDLE search = ::FindFirstFileA((folder + stem + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) continue;
    if (IsTemporaryOf(stem, found.cFileName)) ::DeleteFileA((folder + found.cFileName).c_str());
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
}

// A new file of a name that no other file has, in the given folder, open for writing and shared with no one.
DWORD CreateTemporaryFile(const std::string& folder, const std::string& stem, std::string* name, OwnedHandle* file) {
  DWORD seed = (::GetCurrentProcessId() * 0x9E3779B1u) ^ ::GetTickCount() ^ ::GetCurrentThreadId();
  DWORD error = ERROR_FILE_EXISTS;
  for (int attempt = 0; attempt < kNameAttempts && (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS);
       ++attempt) {
    seed = seed * 1664525u + 1013904223u;
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

FileReplacement::~FileReplacement() {
  file_.Reset();
  if (!temporary_.empty()) ::DeleteFileA(temporary_.c_str());
}

DWORD FileReplacement::Begin(const char* path) {
  if (path == nullptr || *path == '\0') return ERROR_INVALID_NAME;
  std::size_t folder_length = 0;
  if (const DWORD error = SplitPath(path, &target_, &folder_length); error != ERROR_SUCCESS) return error;
  const std::string folder = target_.substr(0, folder_length);
  const std::string stem = TemporaryStem(std::string_view(target_).substr(folder_length));
  RemoveStaleTemporaries(folder, stem);
  if (const DWORD error = CheckTarget(target_); error != ERROR_SUCCESS) return error;
  const DWORD error = CreateTemporaryFile(folder, stem, &temporary_, &file_);
  if (error != ERROR_SUCCESS) temporary_.clear();  // the name was never created, or belongs to someone else
  return error;
}

DWORD FileReplacement::Write(const void* bytes, std::size_t size) {
  return WriteAll(file_.Get(), static_cast<const std::uint8_t*>(bytes), size);
}

DWORD FileReplacement::Commit() {
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
