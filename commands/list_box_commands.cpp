#include "commands/list_box_commands.h"

#include <windows.h>

#include <string>
#include <vector>

#include "conversions/command_arguments.h"
#include "commands/command_results.h"
#include "commands/unit_argument.h"

namespace quarrow {

namespace {

std::int32_t EntryCount(HWND list) {
  if (list == nullptr) return 0;
  const LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
  return count > 0 ? static_cast<std::int32_t>(count) : 0;
}

std::string EntryText(HWND list, std::int32_t index) {
  const LRESULT length = ::SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length <= 0) return {};
  // LB_GETTEXT takes no buffer size; leave room for every character being two bytes.
  std::vector<char> text((static_cast<std::size_t>(length) + 1) * 2, '\0');
  const LRESULT copied = ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(text.data()));
  if (copied <= 0) return {};
  return std::string(text.data(), std::min(static_cast<std::size_t>(copied), text.size() - 1));
}

bool AllowsSeveralSelected(HWND list) {
  return (::GetWindowLongPtrA(list, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
}

std::vector<std::int32_t> SelectedEntries(HWND list) {
  std::vector<std::int32_t> selected;
  if (list == nullptr) return selected;
  if (AllowsSeveralSelected(list)) {
    const std::int32_t count = EntryCount(list);
    for (std::int32_t i = 0; i < count; ++i) {
      if (::SendMessageA(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) selected.push_back(i);
    }
  } else {
    const LRESULT current = ::SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (current >= 0) selected.push_back(static_cast<std::int32_t>(current));
  }
  return selected;
}

// A one-dimensional int array block: dimension count 1, element count, the elements.
void* IntArrayBlock(const std::vector<std::int32_t>& elements) {
  const std::int32_t count = static_cast<std::int32_t>(elements.size());
  auto* block = static_cast<std::uint8_t*>(TheRuntime().Memory().Allocate(ArrayBlockSize(4, &count, 1)));
  WriteBlockWord(block, 1);
  WriteBlockWord(block + 4, count);
  for (std::size_t i = 0; i < elements.size(); ++i) WriteBlockWord(block + 8 + 4 * i, elements[i]);
  return block;
}

}  // namespace

void ListBoxItemCountCommand(ValueRecord* result, std::int32_t count, ValueRecord* args) {
  const CommandArguments arguments(count, args);
  ReturnInt(result, EntryCount(ListBoxControlOf(arguments.At(0))));
}

void ListBoxItemTextCommand(ValueRecord* result, std::int32_t count, ValueRecord* args) {
  const CommandArguments arguments(count, args);
  HWND list = ListBoxControlOf(arguments.At(0));
  const std::int32_t index = arguments.Integer(1).value_or(-1);
  if (list == nullptr || index < 0 || index >= EntryCount(list)) return ReturnTextBlock(result, nullptr);
  ReturnText(result, EntryText(list, index));
}

void ListBoxAddItemCommand(ValueRecord* result, std::int32_t count, ValueRecord* args) {
  const CommandArguments arguments(count, args);
  HWND list = ListBoxControlOf(arguments.At(0));
  if (list == nullptr) return ReturnInt(result, -1);
  const LRESULT index = ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(arguments.Text(1)));
  if (index < 0) return ReturnInt(result, -1);
  const std::int32_t data = arguments.Integer(2).value_or(0);
  ::SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data));
  ReturnInt(result, static_cast<std::int32_t>(index));
}

void ListBoxDeleteItemCommand(ValueRecord* result, std::int32_t count, ValueRecord* args) {
  const CommandArguments arguments(count, args);
  HWND list = ListBoxControlOf(arguments.At(0));
  const std::optional<std::int32_t> index = arguments.Integer(1);
  if (list == nullptr || !index || *index < 0) {
    *result = ValueRecord::OfLogical(false);
    return;
  }
  const LRESULT answer = ::SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(*index), 0);
  *result = ValueRecord::OfLogical(answer != LB_ERR);
}

void ListBoxSelectedItemsCommand(ValueRecord* result, std::int32_t count, ValueRecord* args) {
  const CommandArguments arguments(count, args);
  const std::vector<std::int32_t> selected = SelectedEntries(ListBoxControlOf(arguments.At(0)));
  *result = ValueRecord::OfPointer(type::kInt | type::kArrayBit, IntArrayBlock(selected));
}

}  // namespace quarrow
