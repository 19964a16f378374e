// A window's unit list: unit ids and their records' bytes, in record order. The stream lays it out as the ids, the
// record offsets (counted from the end of the two arrays) and the records, each a length word and its bytes;
// here the offsets are implicit, so every operation that changes a record's length shifts the later ones.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "base/byte_stream.h"

namespace quarrow::forms {

class UnitList {
 public:
  std::size_t Count() const { return ids_.size(); }
  // 0 past the end.
  std::uint32_t IdAt(std::size_t index) const { return index < ids_.size() ? ids_[index] : 0; }
  // Null past the end.
  const Bytes* RecordAt(std::size_t index) const { return index < records_.size() ? &records_[index] : nullptr; }
  // Linear search over the ids; the first match wins.
  std::optional<std::size_t> IndexOf(std::uint32_t id) const;
  const Bytes* RecordById(std::uint32_t id) const;

  // Replaces length bytes at offset of one record by new bytes of any length; false when the span lies outside
  // the record or the index past the end.
  bool ReplaceSpan(std::size_t index, std::size_t offset, std::size_t length, std::span<const std::uint8_t> bytes);
  void Append(std::uint32_t id, Bytes record);
  // Inserts before index (index == Count() appends); false past the end.
  bool Insert(std::size_t index, std::uint32_t id, Bytes record);

  // The record offsets as the stream holds them.
  std::vector<std::uint32_t> Offsets() const;
  // The counted buffer's contents: ids, offsets, records.
  Bytes Encode() const;
  // Reads a buffer of count records; nothing when an offset or a record lies outside the buffer.
  static std::optional<UnitList> Decode(std::span<const std::uint8_t> buffer, std::uint32_t count);

  bool operator==(const UnitList&) const = default;

 private:
  std::vector<std::uint32_t> ids_;
  std::vector<Bytes> records_;
};

}  // namespace quarrow::forms
