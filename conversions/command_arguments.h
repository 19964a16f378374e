// How a command reads its argument records: by position, an omitted argument (data-type code 0) or one beyond the
// count being absent. Integers and numbers are read as ToInteger would convert the value, so a caller that
// passes a byte, a long or a double gets what it would expect.
#pragma once

#include <cstdint>
#include <optional>

#include "conversions/value_conversion.h"
#include "base/value.h"

namespace quarrow {

class CommandArguments {
 public:
  CommandArguments(std::int32_t count, const ValueRecord* records) : count_(count), records_(records) {}

  bool Given(std::int32_t index) const { return index < count_ && !records_[index].Omitted(); }
  // The record itself, or an omitted one.
  ValueRecord At(std::int32_t index) const { return Given(index) ? records_[index] : ValueRecord{}; }

  std::optional<std::int32_t> Integer(std::int32_t index) const {
    if (!Given(index)) return std::nullopt;
    return ValueToInteger(records_[index]);
  }
  double Number(std::int32_t index) const { return Given(index) ? ValueToNumber(records_[index]) : 0.0; }
  bool Logical(std::int32_t index) const { return Given(index) && ValueToInteger(records_[index]) != 0; }
  // Never null: an absent text reads as "".
  const char* Text(std::int32_t index) const {
    if (!Given(index) || records_[index].type != type::kText || records_[index].Text() == nullptr) return "";
    return records_[index].Text();
  }

 private:
  std::int32_t count_;
  const ValueRecord* records_;
};

}  // namespace quarrow
