#include "runtime/find_file.h"

namespace quarrow {

namespace {

constexpr DWORD kSearchableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_ARCHIVE;  // 0x37

}  // namespace

bool FindAttributesMatch(DWORD attributes, std::uint32_t attribute_mask, bool match_any) {
  if (match_any) return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  const DWORD limited = attribute_mask & kSearchableAttributes;
  // Attributes outside the mask's reach (normal, not content indexed) still make the word non-zero.
  if (limited == 0) return attributes == 0;
  return (attributes & limited) != 0;
}

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
    if (FindAttributesMatch(found.dwFileAttributes, attribute_mask, match_any)) return memory.CopyText(found.cFileName);
    have = ::FindNextFileA(*slot, &found) != FALSE;
  }
  CloseFind(*slot);
  *slot = nullptr;
  return nullptr;
}

}  // namespace quarrow
