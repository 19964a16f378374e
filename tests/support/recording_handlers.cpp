#include "tests/support/recording_handlers.h"

#include <algorithm>
#include <array>
#include <map>
#include <utility>

#include "forms/runtime_parts.h"
#include "forms/window_map.h"

namespace quarrow::testing {

namespace {

struct HandlerState {
  std::vector<HandlerCall> calls;
  std::map<int, std::function<void()>> actions;
  std::map<int, std::optional<std::int64_t>> answers;
};

HandlerState& State() {
  static HandlerState state;
  return state;
}

template <int Tag>
HandlerResult Record(const std::uintptr_t* args, std::int32_t count) {
  const forms::WindowMap& windows = forms::TheWindowMap();
  State().calls.push_back({Tag, std::vector<std::uintptr_t>(args, args + count), windows.CurrentSourceWindow(),
                           windows.CurrentSourceUnit()});
  // Copied: the action may change the table while it runs.
  const auto action = State().actions.find(Tag);
  if (action != State().actions.end() && action->second) {
    const std::function<void()> run = action->second;
    run();
  }
  const auto answer = State().answers.find(Tag);
  if (answer == State().answers.end() || !answer->second) return {};
  return {true, *answer->second};
}

template <std::size_t... I>
constexpr std::array<HandlerSlot, sizeof...(I)> MakeSlots(std::index_sequence<I...>) {
  return {HandlerSlot{&Record<static_cast<int>(I)>}...};
}

}  // namespace

const HandlerSlot* RecordingHandlerTable(const std::vector<int>& empty_slots) {
  alignas(8) static std::array<HandlerSlot, kRecordingSlots> table =
      MakeSlots(std::make_index_sequence<kRecordingSlots>{});
  for (int slot : empty_slots) table.at(static_cast<std::size_t>(slot)).routine = nullptr;
  return table.data();
}

std::vector<HandlerCall>& HandlerCalls() { return State().calls; }

std::vector<int> TagsCalled() {
  std::vector<int> tags;
  for (const HandlerCall& call : State().calls) tags.push_back(call.tag);
  return tags;
}

int CallsOf(int tag) {
  return static_cast<int>(std::count_if(State().calls.begin(), State().calls.end(),
                                        [&](const HandlerCall& call) { return call.tag == tag; }));
}

const HandlerCall* LastCallOf(int tag) {
  for (auto it = State().calls.rbegin(); it != State().calls.rend(); ++it) {
    if (it->tag == tag) return &*it;
  }
  return nullptr;
}

void OnHandler(int tag, std::function<void()> action) { State().actions[tag] = std::move(action); }
void AnswerFrom(int tag, std::optional<std::int64_t> value) { State().answers[tag] = value; }

void ForgetActionsAndAnswers() {
  State().actions.clear();
  State().answers.clear();
}

void ResetHandlers() { State() = HandlerState{}; }

}  // namespace quarrow::testing
