// The typed facade through which application code uses the runtime service table.
//
// Application code never builds argument records or frees blocks by hand: it calls functions that read like the
// behaviour they implement, and texts, byte sets and arrays come back as owning values that free themselves
// through the runtime.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "base/program_header.h"
#include "runtime/service_table.h"
#include "base/value.h"

namespace quarrow::rt {

// A block on the runtime heap that frees itself through service entry 8.
template <class Block>
class Owning {
 public:
  Owning() = default;
  static Owning Adopt(Block* block) {
    Owning o;
    o.block_ = block;
    return o;
  }
  Owning(const Owning&) = delete;
  Owning& operator=(const Owning&) = delete;
  Owning(Owning&& other) noexcept : block_(std::exchange(other.block_, nullptr)) {}
  Owning& operator=(Owning&& other) noexcept {
    if (this != &other) {
      Services().free(block_);
      block_ = std::exchange(other.block_, nullptr);
    }
    return *this;
  }
  ~Owning() { Services().free(block_); }

  Block* Get() const { return block_; }
  Block* Release() { return std::exchange(block_, nullptr); }

 protected:
  Block* block_ = nullptr;
};

// A text: null for the empty text.
class Text : public Owning<char> {
 public:
  Text() = default;
  Text(Owning<char>&& o) : Owning<char>(std::move(o)) {}
  static Text Adopt(char* block) { return Text(Owning<char>::Adopt(block)); }
  // Copies bytes into a new block (the empty text stays null).
  static Text Copy(std::string_view bytes);

  // Never null: the empty text reads as "".
  const char* CStr() const { return block_ ? block_ : ""; }
  std::string_view View() const { return block_ ? std::string_view(block_) : std::string_view(); }
  bool Empty() const { return block_ == nullptr || *block_ == '\0'; }
};

// Texts as application code handles them itself, without a command call. Null and a block holding only the
// terminator are the same empty text everywhere.
class TextPart {
 public:
  TextPart(const char* text) : text_(text) {}
  TextPart(const Text& text) : text_(text.Get()) {}
  // Never null.
  const char* Bytes() const { return text_ ? text_ : ""; }

 private:
  const char* text_;
};
// Bytes before the terminator.
std::int32_t Length(TextPart text);
// A fresh block holding the parts one after the other; always a block, also when it is empty.
Text Join(std::initializer_list<TextPart> parts);
// -1, 0 or 1: bytes compared as unsigned values up to the first difference or the end of both.
std::int32_t Compare(TextPart a, TextPart b);
// What a subroutine hands back for its text result: a fresh copy of the bytes (length + 1), or null for null.
Text ResultCopy(const char* text);
inline Text ResultCopy(const Text& text) { return ResultCopy(text.Get()); }

// A byte set: null for the empty byte set.
class ByteSet : public Owning<void> {
 public:
  ByteSet() = default;
  ByteSet(Owning<void>&& o) : Owning<void>(std::move(o)) {}
  static ByteSet Adopt(void* block) { return ByteSet(Owning<void>::Adopt(block)); }
  ByteSetView View() const { return ByteSetView::Of(block_); }
  std::size_t Size() const { return View().size; }
};

// A one-dimensional array of a basic type with elements indexed from 1, as application code indexes it.
template <class Element>
class Array : public Owning<void> {
 public:
  Array() = default;
  Array(Owning<void>&& o) : Owning<void>(std::move(o)) {}
  static Array Adopt(void* block) { return Array(Owning<void>::Adopt(block)); }
  std::size_t Count() const { return ArrayView{block_}.Count(); }
  // Indexes outside 1..Count() are the runtime errors of index 4 and index 1.
  Element At(std::int64_t index) const {
    if (index < 1) Services().report_error(4);
    if (static_cast<std::size_t>(index) > Count()) Services().report_error(1);
    Element e;
    std::memcpy(&e, ArrayView{block_}.Elements() + (index - 1) * sizeof(Element), sizeof e);
    return e;
  }
};

// A unit of a loaded window: (window id, unit id) typed with its unit-type reference.
struct UnitRef {
  DataType unit_type;
  std::uint32_t window_id;
  std::uint32_t unit_id;
};

// Argument records.
inline ValueRecord Arg(std::int32_t v) { return ValueRecord::OfInt(v); }
inline ValueRecord Arg(bool v) { return ValueRecord::OfLogical(v); }
inline ValueRecord Arg(double v) { return ValueRecord::OfDouble(v); }
inline ValueRecord Arg(const char* text) { return ValueRecord::OfText(text); }
inline ValueRecord Arg(const Text& text) { return ValueRecord::OfText(text.Get()); }
inline ValueRecord Arg(const ByteSet& bytes) { return ValueRecord::OfPointer(type::kByteSet, bytes.Get()); }
inline ValueRecord Arg(UnitRef unit) { return ValueRecord::OfUnit(unit.unit_type, unit.window_id, unit.unit_id); }
inline ValueRecord Omitted() { return ValueRecord{}; }

// Calls a command of the core library (entry 3) or of another library (entry 2).
ValueRecord CallCore(CommandRoutine command, std::initializer_list<ValueRecord> args);
ValueRecord CallLibrary(CommandRoutine command, std::initializer_list<ValueRecord> args);

// Unit properties (entries 4 and 5); element index -1, the whole value.
std::uint64_t ReadProperty(UnitRef unit, std::int32_t property);
void WriteProperty(UnitRef unit, std::int32_t property, std::uint64_t value);
inline std::int32_t ReadInt(UnitRef unit, std::int32_t property) {
  return static_cast<std::int32_t>(ReadProperty(unit, property));
}
inline bool ReadLogical(UnitRef unit, std::int32_t property) {
  return static_cast<std::uint32_t>(ReadProperty(unit, property)) != 0;
}
Text ReadText(UnitRef unit, std::int32_t property);
inline void WriteInt(UnitRef unit, std::int32_t property, std::int32_t v) {
  WriteProperty(unit, property, static_cast<std::uint32_t>(v));
}
inline void WriteLogical(UnitRef unit, std::int32_t property, bool v) { WriteProperty(unit, property, v ? 1 : 0); }
void WriteText(UnitRef unit, std::int32_t property, const char* text);
inline void WriteText(UnitRef unit, std::int32_t property, const Text& text) { WriteText(unit, property, text.Get()); }

// Start-up and the program's life.
void InitialiseRuntime();
void RegisterExitRoutine(void (*routine)());
void LoadStartWindow(std::uint32_t window_id);
void RunMessageLoop();
// Ends the program; returns only when called on another thread while the main thread is already ending it.
void EndProgram(std::int32_t exit_code);
[[noreturn]] void ReportError(std::int32_t index);
// The platform window of a loaded window as a handle-sized word; 0 while the window is not loaded.
std::uintptr_t PlatformWindow(std::uint32_t window_id);

// Wraps a handler that takes its arguments as typed words and returns nothing, so that the runtime treats the
// event as not handled.
template <auto Function>
HandlerResult Handler(const std::uintptr_t* args, std::int32_t count);

}  // namespace quarrow::rt

#include "runtime/facade_handler.h"
