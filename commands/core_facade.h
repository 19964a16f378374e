// The core library's number, random-number, text, file, list-box and event commands as application code calls
// them: each call goes through service entry 3 with argument records, and texts, byte sets and arrays come back as
// owning values.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "commands/core_commands.h"
#include "runtime/facade.h"

namespace quarrow::cmd {

namespace detail {
inline ValueRecord Call(std::int32_t command, std::initializer_list<ValueRecord> args) {
  return rt::CallCore(kCoreCommands[command], args);
}
inline rt::Text TextResult(const ValueRecord& result) { return rt::Text::Adopt(result.Pointer<char>()); }
// Where application code holds the null text it passes the constant empty text: commands never see null.
inline ValueRecord TextArg(const char* text) { return rt::Arg(text ? text : ""); }
// Likewise the empty byte set is passed as a constant block of length 0.
inline constexpr std::int32_t kEmptyByteSet[2] = {1, 0};
inline ValueRecord ByteSetArg(const rt::ByteSet& bytes) {
  return bytes.Get() ? rt::Arg(bytes) : ValueRecord::OfPointer(type::kByteSet, kEmptyByteSet);
}
}  // namespace detail

// From the clock, or from a given seed.
inline void SetRandomSeed() { detail::Call(core_command::kSetRandomSeed, {}); }
inline void SetRandomSeed(std::int32_t seed) { detail::Call(core_command::kSetRandomSeed, {rt::Arg(seed)}); }

// A number in [low, high], the bounds in either order; without bounds 0..32767 can occur.
inline std::int32_t RandomNumber(std::int32_t low, std::int32_t high) {
  return detail::Call(core_command::kRandomNumber, {rt::Arg(low), rt::Arg(high)}).Int();
}
inline std::int32_t RandomNumber() {
  return detail::Call(core_command::kRandomNumber, {rt::Omitted(), rt::Omitted()}).Int();
}

inline std::int32_t ToInteger(const char* text) {
  return detail::Call(core_command::kToInteger, {detail::TextArg(text)}).Int();
}
inline std::int32_t ToInteger(const rt::Text& text) { return ToInteger(text.Get()); }
inline std::int32_t ToInteger(double value) { return detail::Call(core_command::kToInteger, {rt::Arg(value)}).Int(); }

inline rt::Text ToText(std::int32_t value) {
  return detail::TextResult(detail::Call(core_command::kToText, {rt::Arg(value)}));
}
inline rt::Text ToText(double value) {
  return detail::TextResult(detail::Call(core_command::kToText, {rt::Arg(value)}));
}

// Without decimals the value is shown as ToText shows it; with them it is rounded and padded to that many.
inline rt::Text NumberToFormattedText(double value) {
  return detail::TextResult(detail::Call(core_command::kNumberToFormattedText, {rt::Arg(value)}));
}
inline rt::Text NumberToFormattedText(double value, std::int32_t decimals, bool thousands = false) {
  return detail::TextResult(
      detail::Call(core_command::kNumberToFormattedText, {rt::Arg(value), rt::Arg(decimals), rt::Arg(thousands)}));
}

inline std::int32_t TextLength(const char* text) {
  return detail::Call(core_command::kTextLength, {detail::TextArg(text)}).Int();
}
inline std::int32_t TextLength(const rt::Text& text) { return TextLength(text.Get()); }

inline rt::Text RepeatText(std::int32_t count, const char* piece) {
  return detail::TextResult(detail::Call(core_command::kRepeatText, {rt::Arg(count), detail::TextArg(piece)}));
}

inline rt::Text CharFromCode(std::int32_t code) {
  return detail::TextResult(detail::Call(core_command::kCharFromCode, {rt::Arg(code)}));
}

inline rt::Text TrimAllSpaces(const char* text) {
  return detail::TextResult(detail::Call(core_command::kTrimAllSpaces, {detail::TextArg(text)}));
}
inline rt::Text TrimAllSpaces(const rt::Text& text) { return TrimAllSpaces(text.Get()); }

// List-box entries of a ListBox unit, counted from 0.
inline std::int32_t ListBoxItemCount(rt::UnitRef list) {
  return detail::Call(core_command::kListBoxItemCount, {rt::Arg(list)}).Int();
}
// The empty text for an index outside 0..count − 1.
inline rt::Text ListBoxItemText(rt::UnitRef list, std::int32_t index) {
  return detail::TextResult(detail::Call(core_command::kListBoxItemText, {rt::Arg(list), rt::Arg(index)}));
}
// The index of the new entry (in a sorted list its sorted place), −1 when the list refused it.
inline std::int32_t ListBoxAddItem(rt::UnitRef list, const char* text) {
  return detail::Call(core_command::kListBoxAddItem, {rt::Arg(list), detail::TextArg(text)}).Int();
}
inline std::int32_t ListBoxAddItem(rt::UnitRef list, const rt::Text& text) { return ListBoxAddItem(list, text.Get()); }
inline std::int32_t ListBoxAddItem(rt::UnitRef list, const char* text, std::int32_t item_data) {
  return detail::Call(core_command::kListBoxAddItem, {rt::Arg(list), detail::TextArg(text), rt::Arg(item_data)})
      .Int();
}
inline bool ListBoxDeleteItem(rt::UnitRef list, std::int32_t index) {
  return detail::Call(core_command::kListBoxDeleteItem, {rt::Arg(list), rt::Arg(index)}).Logical();
}
// The selected indices in ascending order (array elements indexed from 1).
inline rt::Array<std::int32_t> ListBoxSelectedItems(rt::UnitRef list) {
  return rt::Array<std::int32_t>::Adopt(
      detail::Call(core_command::kListBoxSelectedItems, {rt::Arg(list)}).Pointer<void>());
}

// Shows a CommonDlg's dialog; true when the user confirmed it.
inline bool OpenDialog(rt::UnitRef dialog) {
  return detail::Call(core_command::kOpenDialog, {rt::Arg(dialog)}).Logical();
}
// Lets every waiting message be handled, event handlers included.
inline void ProcessEvents() { detail::Call(core_command::kProcessEvents, {}); }
// True while the unit (or window) has a live platform window.
inline bool UnitExists(rt::UnitRef unit) { return detail::Call(core_command::kUnitExists, {rt::Arg(unit)}).Logical(); }
// The bytes of the text without its terminator; the empty text gives the empty byte set.
inline rt::ByteSet ToByteSet(const char* text) {
  return rt::ByteSet::Adopt(detail::Call(core_command::kToByteSet, {detail::TextArg(text)}).Pointer());
}
inline rt::ByteSet ToByteSet(const rt::Text& text) { return ToByteSet(text.Get()); }

// Creates or replaces the file so that it holds exactly the bytes. On false the file is as it was before, and
// ::GetLastError() right after the call gives the system's reason.
inline bool WriteToFile(const char* path, const rt::ByteSet& bytes) {
  return detail::Call(core_command::kWriteToFile, {detail::TextArg(path), detail::ByteSetArg(bytes)}).Logical();
}
inline bool WriteToFile(const rt::Text& path, const rt::ByteSet& bytes) { return WriteToFile(path.Get(), bytes); }
// The same for a byte-set block that the caller built and keeps; null is the empty byte set.
inline bool WriteToFile(const char* path, const void* byte_set) {
  const ValueRecord bytes = ValueRecord::OfPointer(type::kByteSet, byte_set ? byte_set : detail::kEmptyByteSet);
  return detail::Call(core_command::kWriteToFile, {detail::TextArg(path), bytes}).Logical();
}

}  // namespace quarrow::cmd
