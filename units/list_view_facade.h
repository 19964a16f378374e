// The ListView commands as application code calls them: through service entry 2 with argument records; texts
// come back as owning values.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "runtime/facade.h"
#include "units/list_view.h"
#include "units/list_view_commands.h"

namespace quarrow::cmd {

namespace list_view_detail {
inline ValueRecord Call(std::int32_t command, std::initializer_list<ValueRecord> args) {
  return rt::CallLibrary(kListViewCommands[command], args);
}
// Where application code holds the null text it passes the constant empty text.
inline ValueRecord TextArg(const char* text) { return rt::Arg(text ? text : ""); }
}  // namespace list_view_detail

// Appends a row with an empty text; its index, or -1.
inline std::int32_t ListViewInsertItem(rt::UnitRef list) {
  return list_view_detail::Call(list_view_command::kInsertItem,
                                {rt::Arg(list), rt::Omitted(), rt::Omitted(), rt::Omitted(), rt::Omitted(),
                                 rt::Omitted(), rt::Omitted()})
      .Int();
}
// Inserts a row at a position (a negative one appends) with its text.
inline std::int32_t ListViewInsertItem(rt::UnitRef list, std::int32_t position, const char* text) {
  return list_view_detail::Call(list_view_command::kInsertItem,
                                {rt::Arg(list), rt::Arg(position), list_view_detail::TextArg(text), rt::Omitted(),
                                 rt::Omitted(), rt::Omitted(), rt::Omitted()})
      .Int();
}

inline void ListViewSetItemText(rt::UnitRef list, std::int32_t row, std::int32_t column, const char* text) {
  list_view_detail::Call(list_view_command::kSetItemText,
                         {rt::Arg(list), rt::Arg(row), rt::Arg(column), list_view_detail::TextArg(text)});
}
inline void ListViewSetItemText(rt::UnitRef list, std::int32_t row, std::int32_t column, const rt::Text& text) {
  ListViewSetItemText(list, row, column, text.Get());
}

inline std::int32_t ListViewItemCount(rt::UnitRef list) {
  return list_view_detail::Call(list_view_command::kItemCount, {rt::Arg(list)}).Int();
}

inline rt::Text ListViewItemText(rt::UnitRef list, std::int32_t row, std::int32_t column = 0) {
  return rt::Text::Adopt(
      list_view_detail::Call(list_view_command::kItemText, {rt::Arg(list), rt::Arg(row), rt::Arg(column)})
          .Pointer<char>());
}

inline void ListViewDeleteAllItems(rt::UnitRef list) {
  list_view_detail::Call(list_view_command::kDeleteAllItems, {rt::Arg(list)});
}

}  // namespace quarrow::cmd
