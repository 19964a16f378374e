// Notify handlers 0 and 1: a file search that the caller continues through a handle slot of its own.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/memory.h"

namespace quarrow {

// A non-empty pattern starts a new search in the slot; an empty pattern continues the slot's search. Returns the
// next matching name as a new text, or null when nothing is left (the search is then closed and the slot cleared).
char* FindFile(const char* pattern, std::uint32_t attribute_mask, bool match_any, HANDLE* slot,
               RuntimeMemory& memory);
void CloseFind(HANDLE search);

// Whether the search yields an entry with these attributes: with match_any every entry that is not a directory;
// otherwise, the mask limited to read-only, hidden, system, directory and archive (0x37), an entry whose
// attribute word is 0 for the limited mask 0, else an entry that shares an attribute bit with it.
bool FindAttributesMatch(DWORD attributes, std::uint32_t attribute_mask, bool match_any);

}  // namespace quarrow
