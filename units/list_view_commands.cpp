#include "units/list_view_commands.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "conversions/command_arguments.h"
#include "runtime/runtime_notify.h"
#include "units/extended_library.h"
#include "units/list_view_unit.h"

namespace quarrow {

namespace {

// The list view that argument 0 names. A unit that is not loaded is the runtime's error (the runtime ends the
// program); a unit of another type gets the commands' neutral answers.
ListView* ListViewOf(const CommandArguments& args) {
  const ValueRecord unit = args.At(0);
  auto* object = reinterpret_cast<UnitObject*>(
      ExtendedLink().Notify(notify_code::kUnitObjectOrError, unit.word1, unit.word2));
  return object ? ListView::Of(object) : nullptr;
}

void InsertItemCommand(ValueRecord* result, std::int32_t count, ValueRecord* records) {
  const CommandArguments args(count, records);
  ListView* list = ListViewOf(args);
  if (list == nullptr) {
    *result = ValueRecord::OfInt(-1);
    return;
  }
  LVITEMA item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE | LVIF_INDENT;
  const std::int32_t position = args.Integer(1).value_or(-1);
  item.iItem = position < 0 ? list->ItemCount() : position;
  item.pszText = const_cast<char*>(args.Text(2));
  item.iImage = std::max(args.Integer(3).value_or(-1), -1);
  const std::optional<std::int32_t> state_image = args.Integer(4);
  if (state_image) item.state = INDEXTOSTATEIMAGEMASK(std::max(*state_image + 1, 0));
  item.iIndent = std::max(args.Integer(5).value_or(0), 0);
  item.lParam = static_cast<LPARAM>(args.Integer(6).value_or(0));
  const std::int32_t row = list->InsertItem(item);
  // A list with check boxes gives every new row its unchecked box whatever the row asked for; a given state
  // image is set once the row is there.
  if (state_image && row >= 0) list->SetItemState(row, item.state, LVIS_STATEIMAGEMASK);
  *result = ValueRecord::OfInt(row);
}

void SetItemTextCommand(ValueRecord*, std::int32_t count, ValueRecord* records) {
  const CommandArguments args(count, records);
  if (ListView* list = ListViewOf(args)) {
    list->SetItemText(args.Integer(1).value_or(0), args.Integer(2).value_or(0), args.Text(3));
  }
}

void ItemCountCommand(ValueRecord* result, std::int32_t count, ValueRecord* records) {
  const CommandArguments args(count, records);
  ListView* list = ListViewOf(args);
  *result = ValueRecord::OfInt(list ? list->ItemCount() : 0);
}

void ItemTextCommand(ValueRecord* result, std::int32_t count, ValueRecord* records) {
  const CommandArguments args(count, records);
  *result = ValueRecord::OfText(nullptr);
  ListView* list = ListViewOf(args);
  if (list == nullptr) return;
  const std::string text = list->CellText(args.Integer(1).value_or(0), args.Integer(2).value_or(0));
  if (text.empty()) return;  // the empty text takes no memory
  auto* block = reinterpret_cast<char*>(ExtendedLink().Notify(notify_code::kAllocate, text.size() + 1, 0));
  if (block == nullptr) return;
  std::memcpy(block, text.c_str(), text.size() + 1);
  *result = ValueRecord::OfText(block);
}

void DeleteAllItemsCommand(ValueRecord*, std::int32_t count, ValueRecord* records) {
  const CommandArguments args(count, records);
  if (ListView* list = ListViewOf(args)) list->DeleteAllItems();
}

}  // namespace

const CommandRoutine kListViewCommands[list_view_command::kCount] = {
    InsertItemCommand,
    SetItemTextCommand,
    ItemCountCommand,
    ItemTextCommand,
    DeleteAllItemsCommand,
};

}  // namespace quarrow
