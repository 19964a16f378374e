// For each unit type's property codec: a set of properties where every field differs from its default, and the
// facts about its block that the shared tests need: which fields an older version lacks (DropNewerFields resets
// them) and how many bytes they take in a block when they hold their defaults (MissingBytes).
#pragma once

#include <cstddef>
#include <cstdint>

#include "units/button_properties.h"
#include "units/check_box_properties.h"
#include "units/common_dlg_properties.h"
#include "units/edit_box_properties.h"
#include "units/group_box_properties.h"
#include "units/label_properties.h"
#include "units/list_box_properties.h"
#include "units/list_view_properties.h"
#include "units/process_bar_properties.h"

namespace quarrow::test {

// A 60-byte font description whose face name is "黑体".
Bytes SampleLogFont();

// The little-endian word (or half word) at a byte offset of a block, read with the shared reader.
inline std::uint32_t WordAt(const Bytes& block, std::size_t offset) {
  ByteReader r(block);
  r.Skip(offset);
  return r.U32();
}
inline std::uint16_t HalfAt(const Bytes& block, std::size_t offset) {
  ByteReader r(block);
  r.Skip(offset);
  return r.U16();
}

template <class P>
struct BlockTraits;

template <>
struct BlockTraits<EditBoxProperties> {
  static constexpr std::uint32_t kVersion = edit_box::kBlockVersion;
  static EditBoxProperties Sample();
  // Version 1 and 0 blocks end before DataSource and DataColumn.
  static void DropNewerFields(EditBoxProperties& p, std::uint32_t version);
  static std::size_t MissingBytes(std::uint32_t version) { return version < 2 ? 8 : 0; }
};
template <>
struct BlockTraits<LabelProperties> {
  static constexpr std::uint32_t kVersion = label::kBlockVersion;
  static LabelProperties Sample();
  static void DropNewerFields(LabelProperties& p, std::uint32_t version);
  static std::size_t MissingBytes(std::uint32_t version) { return version < 2 ? 8 : 0; }
};
template <>
struct BlockTraits<ButtonProperties> {
  static constexpr std::uint32_t kVersion = button::kBlockVersion;
  static ButtonProperties Sample();
  static void DropNewerFields(ButtonProperties&, std::uint32_t) {}
  static std::size_t MissingBytes(std::uint32_t) { return 0; }
};
template <>
struct BlockTraits<CheckBoxProperties> {
  static constexpr std::uint32_t kVersion = check_box::kBlockVersion;
  static CheckBoxProperties Sample();
  static void DropNewerFields(CheckBoxProperties& p, std::uint32_t version);
  static std::size_t MissingBytes(std::uint32_t version) { return version < 2 ? 8 : 0; }
};
template <>
struct BlockTraits<GroupBoxProperties> {
  static constexpr std::uint32_t kVersion = group_box::kBlockVersion;
  static GroupBoxProperties Sample();
  static void DropNewerFields(GroupBoxProperties&, std::uint32_t) {}
  static std::size_t MissingBytes(std::uint32_t) { return 0; }
};
template <>
struct BlockTraits<ListBoxProperties> {
  static constexpr std::uint32_t kVersion = list_box::kBlockVersion;
  static ListBoxProperties Sample();
  static void DropNewerFields(ListBoxProperties& p, std::uint32_t version);
  static std::size_t MissingBytes(std::uint32_t version) { return version < 2 ? 12 : version < 3 ? 4 : 0; }
};
template <>
struct BlockTraits<ProcessBarProperties> {
  static constexpr std::uint32_t kVersion = process_bar::kBlockVersion;
  static ProcessBarProperties Sample();
  static void DropNewerFields(ProcessBarProperties&, std::uint32_t) {}
  static std::size_t MissingBytes(std::uint32_t) { return 0; }
};
template <>
struct BlockTraits<CommonDlgProperties> {
  static constexpr std::uint32_t kVersion = common_dlg::kBlockVersion;
  static CommonDlgProperties Sample();
  static void DropNewerFields(CommonDlgProperties&, std::uint32_t) {}
  static std::size_t MissingBytes(std::uint32_t) { return 0; }
};
template <>
struct BlockTraits<ListViewProperties> {
  static constexpr std::uint32_t kVersion = list_view::kBlockVersion;
  static ListViewProperties Sample();
  static void DropNewerFields(ListViewProperties&, std::uint32_t) {}
  static std::size_t MissingBytes(std::uint32_t) { return 0; }
};

}  // namespace quarrow::test
