#include "runtime/find_file.h"

namespace quarrow {

namespace {

constexpr DWORD kSearchableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_ARCHIVE;  // 0x37

bool Matches(const WIN32_FIND_DATAA& found, std::uint32_t mask, bool match_any) {
  if (match_any) return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  const DWORD limited = mask & kSearchableAttributes;
  const DWORD attributes = found.dwFileAttributes & kSearchableAttributes;
  if (limited == 0) return attributes == 0;
  return (attributes & limited) != 0;
}

}  // namespace

void CloseFind(HANDLE search) {
  if (search != nullptr && search != INVALID_HANDLE_VALUE) ::FindClose(search);
}

char* FindFile(const char* pattern, std::uint32_t attribute_mask, bool match_any, HANDLE* slot,
               RuntimeMemory& memory) {
  if (slot == nullptr) return nullptr;
  WIN32_FIND_DATAA found;
  bool have;
  if (pattern != nullptr && *pattern != '\0') {
    CloseFind(*slot);
    *slot = ::FindFirstFileA(pattern, &found);
    if (*slot == INVALID_HANDLE_VALUE) {
      *slot = nullptr;
      return nullptr;
    }
    have = true;
  } else {
    if (*slot == nullptr) return nullptr;
    have = ::FindNextFileA(*slot, &found) != FALSE;
  }
  while (have) {
    if (Matches(found, attribute_mask, match_any)) return memory.CopyText(found.cFileName);
    have = ::FindNextFileA(*slot, &found) != FALSE;
  }
  CloseFind(*slot);
  *slot = nullptr;
  return nullptr;
}

}  // namespace quarrow
