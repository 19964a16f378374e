#include "runtime/facade.h"

#include <vector>

#include "runtime/runtime_notify.h"

namespace quarrow::rt {

namespace {
ValueRecord Call(decltype(ServiceTable::call_core_command) entry, CommandRoutine command,
                 std::initializer_list<ValueRecord> args) {
  // The records lie one after another, first argument first.
  std::vector<ValueRecord> records(args);
  return entry(command, static_cast<std::int32_t>(records.size()), records.data());
}
}  // namespace

Text Text::Copy(std::string_view bytes) {
  if (bytes.empty()) return Text();
  auto* block = static_cast<char*>(Services().allocate(bytes.size() + 1));
  std::memcpy(block, bytes.data(), bytes.size());
  block[bytes.size()] = '\0';
  return Adopt(block);
}

std::int32_t Length(TextPart text) { return static_cast<std::int32_t>(std::strlen(text.Bytes())); }

Text Join(std::initializer_list<TextPart> parts) {
  std::size_t total = 0;
  for (const TextPart& part : parts) total += std::strlen(part.Bytes());
  auto* block = static_cast<char*>(Services().allocate(total + 1));
  char* out = block;
  for (const TextPart& part : parts) {
    const std::size_t length = std::strlen(part.Bytes());
    std::memcpy(out, part.Bytes(), length);
    out += length;
  }
  *out = '\0';
  return Text::Adopt(block);
}

std::int32_t Compare(TextPart a, TextPart b) {
  const int order = std::strcmp(a.Bytes(), b.Bytes());  // compares as unsigned char
  return order < 0 ? -1 : order > 0 ? 1 : 0;
}

Text ResultCopy(const char* text) {
  if (text == nullptr) return Text();
  const std::size_t size = std::strlen(text) + 1;
  auto* block = static_cast<char*>(Services().allocate(size));
  std::memcpy(block, text, size);
  return Text::Adopt(block);
}

ValueRecord CallCore(CommandRoutine command, std::initializer_list<ValueRecord> args) {
  return Call(Services().call_core_command, command, args);
}

ValueRecord CallLibrary(CommandRoutine command, std::initializer_list<ValueRecord> args) {
  return Call(Services().call_library_command, command, args);
}

std::uint64_t ReadProperty(UnitRef unit, std::int32_t property) {
  return Services().read_property(unit.window_id, unit.unit_id, property, -1);
}

void WriteProperty(UnitRef unit, std::int32_t property, std::uint64_t value) {
  Services().write_property(unit.window_id, unit.unit_id, property, -1, value);
}

Text ReadText(UnitRef unit, std::int32_t property) {
  const std::uint64_t value = ReadProperty(unit, property);
  return Text::Adopt(reinterpret_cast<char*>(static_cast<std::uintptr_t>(value)));
}

void WriteText(UnitRef unit, std::int32_t property, const char* text) {
  WriteProperty(unit, property, static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(text)));
}

void InitialiseRuntime() { Services().notify(notify_index::kInitialiseRuntime, 0, 0, 0, 0, 0, 0); }

void RegisterExitRoutine(void (*routine)()) {
  Services().notify(notify_index::kRegisterExitRoutine, reinterpret_cast<std::uintptr_t>(routine), 0, 0, 0, 0, 0);
}

void LoadStartWindow(std::uint32_t window_id) { Services().load_start_window(window_id); }
void RunMessageLoop() { Services().message_loop(); }

void EndProgram(std::int32_t exit_code) { Services().end_program(exit_code); }

void ReportError(std::int32_t index) {
  Services().report_error(index);
  __builtin_unreachable();
}

std::uintptr_t PlatformWindow(std::uint32_t window_id) {
  return static_cast<std::uintptr_t>(RuntimeNotify(notify_code::kPlatformWindow, window_id, 0));
}

}  // namespace quarrow::rt
