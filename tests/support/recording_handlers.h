// The handler table of a test program: every slot holds a handler that logs its call (the slot number is its
// "tag"), then runs what a test asked it to run and returns what a test asked it to return.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "base/program_header.h"

namespace quarrow::testing {

// Enough slots for every test form; a form names slot numbers below this.
inline constexpr int kRecordingSlots = 64;

struct HandlerCall {
  int tag;
  std::vector<std::uintptr_t> args;
  // The window and unit the runtime named as the event's source while the handler ran.
  std::uint32_t source_window = 0;
  std::uint32_t source_unit = 0;
  // The same handler with the same words; where the event came from is not compared.
  bool operator==(const HandlerCall& other) const { return tag == other.tag && args == other.args; }
};

// The table, with the given slots left empty (no routine); it lives as long as the program.
const HandlerSlot* RecordingHandlerTable(const std::vector<int>& empty_slots = {});

// Every handler call, in order.
std::vector<HandlerCall>& HandlerCalls();
std::vector<int> TagsCalled();
int CallsOf(int tag);
// The last call of a tag's handler, or null.
const HandlerCall* LastCallOf(int tag);
// Code a tag's handler runs after logging its call (for instance to read a property while the event runs).
void OnHandler(int tag, std::function<void()> action);
// The value a tag's handler returns; nothing: it returns no value.
void AnswerFrom(int tag, std::optional<std::int64_t> value);
// Forgets the actions and answers; ResetHandlers the calls too.
void ForgetActionsAndAnswers();
void ResetHandlers();

}  // namespace quarrow::testing
