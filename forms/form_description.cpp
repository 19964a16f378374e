#include "forms/form_description.h"

#include <algorithm>

namespace quarrow::forms {

namespace {

template <std::size_t N>
void ReadFixed(ByteReader& r, std::array<std::uint8_t, N>& out) {
  const auto bytes = r.Take(N);
  if (!r.Failed()) std::copy(bytes.begin(), bytes.end(), out.begin());
}

// A word count followed by that many words; the count is checked against what is left before anything is
// allocated, so a corrupt count cannot ask for gigabytes.
bool ReadWords(ByteReader& r, std::vector<std::uint32_t>& out, std::size_t words_per_entry = 1) {
  const std::uint32_t n = r.U32();
  if (r.Failed()) return false;
  if (static_cast<std::uint64_t>(n) * 4 * words_per_entry > r.Remaining()) {
    r.Fail();
    return false;
  }
  out.resize(static_cast<std::size_t>(n) * words_per_entry);
  for (auto& word : out) word = r.U32();
  return !r.Failed();
}

std::optional<UnitData> ParseMenuItem(ByteReader& r) {
  MenuItemRecord item;
  item.unit_type = r.U32();
  item.event_source = r.U32();
  ReadFixed(r, item.reserved);
  item.name = r.ZeroText();
  item.second_name = r.ZeroText();
  item.slot = r.U32();
  item.word = r.U32();
  item.flags = r.U32();
  item.text = r.ZeroText();
  item.handler = r.I32();
  if (r.Failed()) return std::nullopt;
  return item;
}

std::optional<UnitData> ParseUnit(ByteReader& r) {
  UnitRecord unit;
  unit.unit_type = r.U32();
  unit.event_source = r.U32();
  ReadFixed(r, unit.reserved);
  unit.name = r.ZeroText();
  unit.second_name = r.ZeroText();
  unit.object_slot = r.U32();
  unit.left = r.I32();
  unit.top = r.I32();
  unit.width = r.I32();
  unit.height = r.I32();
  unit.cursor_slot = r.U32();
  unit.parent = r.U32();
  if (!ReadWords(r, unit.page_list)) return std::nullopt;
  // The mouse-pointer buffer keeps its bytes exactly, an empty one included.
  const std::int32_t pointer_length = r.I32();
  unit.mouse_pointer.clear();
  if (pointer_length > 0) {
    const auto bytes = r.Take(static_cast<std::size_t>(pointer_length));
    unit.mouse_pointer.assign(bytes.begin(), bytes.end());
  }
  unit.tag = r.ZeroText();
  unit.reserved_word = r.U32();
  unit.state = r.U32();
  unit.tab_order = r.I32();
  std::vector<std::uint32_t> pairs;
  if (!ReadWords(r, pairs, 2)) return std::nullopt;
  for (std::size_t i = 0; i + 1 < pairs.size(); i += 2) {
    unit.events.push_back({static_cast<std::int32_t>(pairs[i]), static_cast<std::int32_t>(pairs[i + 1])});
  }
  ReadFixed(r, unit.reserved_tail);
  if (r.Failed()) return std::nullopt;
  const auto rest = r.Take(r.Remaining());
  unit.properties.assign(rest.begin(), rest.end());
  return unit;
}

void WriteMenuItem(ByteWriter& w, const MenuItemRecord& item) {
  w.U32(item.unit_type);
  w.U32(item.event_source);
  w.Raw(item.reserved);
  w.ZeroText(item.name);
  w.ZeroText(item.second_name);
  w.U32(item.slot);
  w.U32(item.word);
  w.U32(item.flags);
  w.ZeroText(item.text);
  w.I32(item.handler);
}

void WriteUnit(ByteWriter& w, const UnitRecord& unit) {
  w.U32(unit.unit_type);
  w.U32(unit.event_source);
  w.Raw(unit.reserved);
  w.ZeroText(unit.name);
  w.ZeroText(unit.second_name);
  w.U32(unit.object_slot);
  w.I32(unit.left);
  w.I32(unit.top);
  w.I32(unit.width);
  w.I32(unit.height);
  w.U32(unit.cursor_slot);
  w.U32(unit.parent);
  w.U32(static_cast<std::uint32_t>(unit.page_list.size()));
  for (std::uint32_t id : unit.page_list) w.U32(id);
  w.CountedBuffer(unit.mouse_pointer);
  w.ZeroText(unit.tag);
  w.U32(unit.reserved_word);
  w.U32(unit.state);
  w.I32(unit.tab_order);
  w.U32(static_cast<std::uint32_t>(unit.events.size()));
  for (const EventBinding& binding : unit.events) {
    w.I32(binding.event);
    w.I32(binding.handler);
  }
  w.Raw(unit.reserved_tail);
  w.Raw(unit.properties);
}

}  // namespace

std::optional<UnitData> ParseUnitRecord(std::span<const std::uint8_t> record) {
  ByteReader r(record);
  const std::uint32_t unit_type = r.U32();
  if (r.Failed()) return std::nullopt;
  ByteReader from_start(record);
  return unit_type == kMenuItemUnitType ? ParseMenuItem(from_start) : ParseUnit(from_start);
}

Bytes EncodeUnitRecord(const UnitData& data) {
  ByteWriter w;
  if (const auto* item = std::get_if<MenuItemRecord>(&data)) {
    WriteMenuItem(w, *item);
  } else {
    WriteUnit(w, std::get<UnitRecord>(data));
  }
  return w.Release();
}

std::optional<FormDescription> ReadFormDescription(std::span<const std::uint8_t> stream) {
  ByteReader r(stream);
  const auto table = r.CountedBuffer();
  if (r.Failed() || table.size() % 8 != 0) return std::nullopt;
  const std::size_t count = table.size() / 8;
  ByteReader ids(table);

  FormDescription form;
  form.windows.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    WindowDescription window;
    window.id = ids.U32();
    window.value_a = r.U32();
    window.value_b = r.U32();
    window.text_a = r.CountedText();
    window.text_b = r.CountedText();
    const std::uint32_t units = r.U32();
    const auto buffer = r.CountedBuffer();
    if (r.Failed()) return std::nullopt;
    auto list = UnitList::Decode(buffer, units);
    if (!list) return std::nullopt;
    for (std::size_t u = 0; u < list->Count(); ++u) {
      if (!ParseUnitRecord(*list->RecordAt(u))) return std::nullopt;
    }
    window.units = std::move(*list);
    form.windows.push_back(std::move(window));
  }
  return form;
}

Bytes WriteFormDescription(const FormDescription& form) {
  ByteWriter w;
  w.U32(static_cast<std::uint32_t>(8 * form.windows.size()));
  for (const WindowDescription& window : form.windows) w.U32(window.id);
  // The second half of the table is overwritten by the reader; the stream holds zeros there.
  w.Zeros(4 * form.windows.size());
  for (const WindowDescription& window : form.windows) {
    w.U32(window.value_a);
    w.U32(window.value_b);
    w.CountedText(window.text_a);
    w.CountedText(window.text_b);
    w.U32(static_cast<std::uint32_t>(window.units.Count()));
    w.CountedBuffer(window.units.Encode());
  }
  return w.Release();
}

}  // namespace quarrow::forms
