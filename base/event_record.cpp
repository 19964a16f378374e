#include "base/event_record.h"

#include <algorithm>

namespace quarrow::forms {

namespace {

bool PassesBothWords(const EventArgRecord& arg) {
  if (arg.flags & event_arg::kBothWords) return true;
  switch (arg.value.type) {
    case type::kLong:
    case type::kDouble:
    case type::kDateTime:
    case type::kOpaque8:
    case 0x00010003: return true;
    default: return false;
  }
}

bool IsAddress(DataType t) {
  return t == type::kText || t == type::kByteSet || t == type::kSubroutine || type::IsArray(t);
}

}  // namespace

std::vector<std::uintptr_t> EventWords(const EventRecord& record) {
  const std::int32_t n = std::clamp(record.argument_count, 0, kMaxEventArguments);
  return std::vector<std::uintptr_t>(record.arguments, record.arguments + n);
}

std::vector<std::uintptr_t> TypedEventWords(const TypedEventRecord& record) {
  const std::int32_t n = std::clamp(record.argument_count, 0, kMaxTypedEventArguments);
  std::vector<std::uintptr_t> words;
  for (std::int32_t i = 0; i < n; ++i) {
    const EventArgRecord& arg = record.arguments[i];
    const ValueRecord& v = arg.value;
    if (arg.flags & event_arg::kByReference) {
      words.push_back(reinterpret_cast<std::uintptr_t>(v.Pointer()));
    } else if (PassesBothWords(arg)) {
      words.push_back(v.word1);
      words.push_back(v.word2);
    } else if (v.type == type::kByte) {
      words.push_back(v.Byte());
    } else if (v.type == type::kShort) {
      words.push_back(static_cast<std::uintptr_t>(static_cast<std::intptr_t>(v.Short())));
    } else if (IsAddress(v.type)) {
      words.push_back(reinterpret_cast<std::uintptr_t>(v.Pointer()));
    } else {
      words.push_back(v.word1);
    }
  }
  return words;
}

}  // namespace quarrow::forms
