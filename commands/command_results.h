// How the core library's commands hand back their results: texts as fresh runtime-heap blocks owned by the
// caller, the empty text as null.
#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/runtime.h"
#include "runtime/value.h"

namespace quarrow {

inline void ReturnInt(ValueRecord* result, std::int32_t value) { *result = ValueRecord::OfInt(value); }

inline void ReturnText(ValueRecord* result, std::string_view text) {
  *result = ValueRecord::OfText(TheRuntime().Memory().TextFrom(text));
}

// A block the command has filled itself (null for the empty text); ownership passes to the caller.
inline void ReturnTextBlock(ValueRecord* result, char* block) { *result = ValueRecord::OfText(block); }

}  // namespace quarrow
