#include "forms/unit_list.h"

#include <algorithm>

namespace quarrow::forms {

std::optional<std::size_t> UnitList::IndexOf(std::uint32_t id) const {
  const auto it = std::find(ids_.begin(), ids_.end(), id);
  if (it == ids_.end()) return std::nullopt;
  return static_cast<std::size_t>(it - ids_.begin());
}

const Bytes* UnitList::RecordById(std::uint32_t id) const {
  const auto index = IndexOf(id);
  return index ? &records_[*index] : nullptr;
}

bool UnitList::ReplaceSpan(std::size_t index, std::size_t offset, std::size_t length,
                           std::span<const std::uint8_t> bytes) {
  if (index >= records_.size()) return false;
  Bytes& record = records_[index];
  if (offset > record.size() || length > record.size() - offset) return false;
  const auto at = record.begin() + static_cast<std::ptrdiff_t>(offset);
  record.erase(at, at + static_cast<std::ptrdiff_t>(length));
  record.insert(record.begin() + static_cast<std::ptrdiff_t>(offset), bytes.begin(), bytes.end());
  return true;
}

void UnitList::Append(std::uint32_t id, Bytes record) {
  ids_.push_back(id);
  records_.push_back(std::move(record));
}

bool UnitList::Insert(std::size_t index, std::uint32_t id, Bytes record) {
  if (index > ids_.size()) return false;
  ids_.insert(ids_.begin() + static_cast<std::ptrdiff_t>(index), id);
  records_.insert(records_.begin() + static_cast<std::ptrdiff_t>(index), std::move(record));
  return true;
}

std::vector<std::uint32_t> UnitList::Offsets() const {
  std::vector<std::uint32_t> offsets;
  offsets.reserve(records_.size());
  std::uint32_t at = 0;
  for (const Bytes& record : records_) {
    offsets.push_back(at);
    at += 4 + static_cast<std::uint32_t>(record.size());
  }
  return offsets;
}

Bytes UnitList::Encode() const {
  ByteWriter w;
  for (std::uint32_t id : ids_) w.U32(id);
  for (std::uint32_t offset : Offsets()) w.U32(offset);
  for (const Bytes& record : records_) w.CountedBuffer(record);
  return w.Release();
}

std::optional<UnitList> UnitList::Decode(std::span<const std::uint8_t> buffer, std::uint32_t count) {
  // Both arrays must fit before anything is allocated for them.
  if (count > buffer.size() / 8) return std::nullopt;
  const std::size_t base = 8 * static_cast<std::size_t>(count);
  UnitList list;
  list.ids_.reserve(count);
  list.records_.reserve(count);
  ByteReader arrays(buffer.first(base));
  std::vector<std::uint32_t> offsets(count);
  for (std::uint32_t i = 0; i < count; ++i) list.ids_.push_back(arrays.U32());
  for (std::uint32_t i = 0; i < count; ++i) offsets[i] = arrays.U32();
  const std::span<const std::uint8_t> data = buffer.subspan(base);
  for (std::uint32_t i = 0; i < count; ++i) {
    if (offsets[i] > data.size()) return std::nullopt;
    ByteReader record(data.subspan(offsets[i]));
    const std::uint32_t length = record.U32();
    const auto bytes = record.Take(length);
    if (record.Failed()) return std::nullopt;
    list.records_.emplace_back(bytes.begin(), bytes.end());
  }
  return list;
}

}  // namespace quarrow::forms
