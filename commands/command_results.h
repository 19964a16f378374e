// How the core library's commands hand back their results: texts and byte sets as fresh runtime-heap blocks
// owned by the caller, the empty text and the empty byte set as null.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "runtime/runtime.h"
#include "base/value.h"

namespace quarrow {

inline void ReturnInt(ValueRecord* result, std::int32_t value) { *result = ValueRecord::OfInt(value); }
inline void ReturnLogical(ValueRecord* result, bool value) { *result = ValueRecord::OfLogical(value); }

inline void ReturnText(ValueRecord* result, std::string_view text) {
  *result = ValueRecord::OfText(TheRuntime().Memory().TextFrom(text));
}

inline void ReturnByteSet(ValueRecord* result, const void* bytes, std::size_t size) {
  *result = ValueRecord::OfPointer(type::kByteSet, TheRuntime().Memory().ByteSetFromBytes(bytes, size));
}

// A block the command has filled itself (null for the empty text); ownership passes to the caller.
inline void ReturnTextBlock(ValueRecord* result, char* block) { *result = ValueRecord::OfText(block); }

}  // namespace quarrow
