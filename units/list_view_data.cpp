#include "units/list_view_data.h"

#include <cstring>

namespace quarrow {

namespace {

constexpr std::uint8_t kImageListMagic[4] = {'M', 'I', 'T', 'L'};
constexpr std::size_t kImageListHeaderSize = 8;

std::int32_t UsableImage(std::int32_t index, std::int32_t count) {
  return index >= 0 && index < count ? index : -1;
}

}  // namespace

Bytes WriteListViewColumns(std::span<const ListViewColumn> columns) {
  ByteWriter w;
  for (const ListViewColumn& c : columns) {
    w.U8(c.image_on_right ? 1 : 0);
    w.I32(c.image);
    w.I32(c.alignment);
    w.I32(c.width);
    w.ZeroText(c.title);
  }
  return w.Release();
}

bool ReadListViewColumns(std::span<const std::uint8_t> data, std::vector<ListViewColumn>& columns) {
  ByteReader r(data);
  while (!r.AtEnd()) {
    ListViewColumn c;
    c.image_on_right = r.U8() != 0;
    c.image = r.I32();
    c.alignment = r.I32();
    c.width = r.I32();
    c.title = r.ZeroText();
    if (r.Failed()) return false;
    columns.push_back(std::move(c));
  }
  return true;
}

ColumnAlignment AlignmentOf(const ListViewColumn& column) {
  switch (column.alignment) {
    case 1: return ColumnAlignment::kCentre;
    case 2: return ColumnAlignment::kRight;
    default: return ColumnAlignment::kLeft;
  }
}

Bytes WriteListViewItems(std::span<const ListViewItemRecord> records) {
  ByteWriter w;
  for (const ListViewItemRecord& rec : records) {
    w.U8(rec.kind);
    w.I32(rec.image);
    w.I32(rec.state_image);
    w.I32(rec.indent);
    w.U32(rec.data);
    w.ZeroText(rec.text);
    w.ZeroText(rec.tip);
  }
  return w.Release();
}

bool ReadListViewItems(std::span<const std::uint8_t> data, std::vector<ListViewItemRecord>& records) {
  ByteReader r(data);
  while (!r.AtEnd()) {
    ListViewItemRecord rec;
    rec.kind = r.U8();
    rec.image = r.I32();
    rec.state_image = r.I32();
    rec.indent = r.I32();
    rec.data = r.U32();
    rec.text = r.ZeroText();
    rec.tip = r.ZeroText();
    if (r.Failed()) return false;
    records.push_back(std::move(rec));
  }
  return true;
}

void PlayListViewItems(std::span<const ListViewItemRecord> records, ImageCounts counts, ListViewRowSink& sink) {
  std::int32_t next_row = 0;
  std::int32_t latest_row = 0;
  std::int32_t column = 0;
  for (const ListViewItemRecord& rec : records) {
    const std::int32_t image = UsableImage(rec.image, counts.images);
    if (rec.StartsRow()) {
      latest_row = sink.InsertRow(next_row, rec, image, UsableImage(rec.state_image, counts.state_images));
      ++next_row;
      column = 0;
    } else {
      ++column;
      sink.SetCell(latest_row, column, rec, image);
    }
  }
}

const std::string* TipOfRow(std::span<const ListViewItemRecord> records, std::int32_t row) {
  if (row < 0) return nullptr;
  std::int32_t ordinal = 0;
  for (const ListViewItemRecord& rec : records) {
    if (!rec.StartsRow()) continue;
    if (ordinal == row) return &rec.tip;
    ++ordinal;
  }
  return nullptr;
}

Bytes WrapImageListStream(std::span<const std::uint8_t> stream) {
  ByteWriter w;
  w.Raw(kImageListMagic, sizeof kImageListMagic);
  w.Zeros(kImageListHeaderSize - sizeof kImageListMagic);
  w.Raw(stream);
  return w.Release();
}

std::span<const std::uint8_t> ImageListStream(std::span<const std::uint8_t> data) {
  if (data.size() <= kImageListHeaderSize) return {};
  if (std::memcmp(data.data(), kImageListMagic, sizeof kImageListMagic) != 0) return {};
  return data.subspan(kImageListHeaderSize);
}

}  // namespace quarrow
