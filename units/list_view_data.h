// The data that a list view keeps in byte properties: columns data, items data and image-list data.
//
// Columns data: one record per column, in column order:
//   1 byte   image on the right (nonzero)
//   4 bytes  image index into the header images, -1 for none
//   4 bytes  alignment: 0 left, 1 centre, 2 right; any other value is left
//   4 bytes  width in pixels
//   n + 1    title, zero-terminated
//
// Items data: a sequence of records:
//   1 byte   kind: 0 starts a new row; any other fills the next column (1, 2, ...) of the latest row
//   4 bytes  image index into the item images, -1 for none
//   4 bytes  state image index into the state images, -1 for none
//   4 bytes  indent (new rows only)
//   4 bytes  item data kept with the row (new rows only)
//   n + 1    text, zero-terminated
//   m + 1    tip text, zero-terminated (the row's info tip)
//
// Image-list data: "MITL", 4 bytes that are not read, then an image list in the stream format of the
// platform's image-list reader.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/byte_stream.h"

namespace quarrow {

struct ListViewColumn {
  bool image_on_right = false;
  std::int32_t image = -1;
  std::int32_t alignment = 0;
  std::int32_t width = 0;
  std::string title;
  bool operator==(const ListViewColumn&) const = default;
};

Bytes WriteListViewColumns(std::span<const ListViewColumn> columns);
// Appends every complete record to `columns`; false when a record runs past the end (the ones before it stay).
bool ReadListViewColumns(std::span<const std::uint8_t> data, std::vector<ListViewColumn>& columns);

enum class ColumnAlignment { kLeft, kCentre, kRight };
ColumnAlignment AlignmentOf(const ListViewColumn& column);

struct ListViewItemRecord {
  std::uint8_t kind = 0;
  std::int32_t image = -1;
  std::int32_t state_image = -1;
  std::int32_t indent = 0;
  std::uint32_t data = 0;
  std::string text;
  std::string tip;

  bool StartsRow() const { return kind == 0; }
  bool operator==(const ListViewItemRecord&) const = default;
};

Bytes WriteListViewItems(std::span<const ListViewItemRecord> records);
// Appends every complete record to `records`; false when a record runs past the end (the ones before it stay).
bool ReadListViewItems(std::span<const std::uint8_t> data, std::vector<ListViewItemRecord>& records);

// How stored items become rows. The unit implements the two steps on its control.
class ListViewRowSink {
 public:
  // Inserts a row at `position` with the record's text, item data and indent, and the given image and state
  // image (-1 for none); returns the index the control gave the row (-1 when it refused it).
  virtual std::int32_t InsertRow(std::int32_t position, const ListViewItemRecord& record, std::int32_t image,
                                 std::int32_t state_image) = 0;
  // Sets the text and image of one column (1, 2, ...) of a row.
  virtual void SetCell(std::int32_t row, std::int32_t column, const ListViewItemRecord& record,
                       std::int32_t image) = 0;

 protected:
  ~ListViewRowSink() = default;
};

// The images the control holds: an index outside 0 .. count − 1 is shown as no image (-1).
struct ImageCounts {
  std::int32_t images = 0;
  std::int32_t state_images = 0;
};

// Plays the records in order: a row record inserts at the running row number and becomes the latest row; any
// other record fills the next column of the latest row. Before the first row the latest row is row 0, so such a
// record fills a column of row 0. Tips are not played; see TipOfRow.
void PlayListViewItems(std::span<const ListViewItemRecord> records, ImageCounts counts, ListViewRowSink& sink);

// The tip text of the row-th row record, or null when there are not that many rows.
const std::string* TipOfRow(std::span<const ListViewItemRecord> records, std::int32_t row);

// Image-list data around an image-list stream; the 4 unread bytes are written as 0.
Bytes WrapImageListStream(std::span<const std::uint8_t> stream);
// The image-list stream inside image-list data; empty when the data is 8 bytes or fewer or does not start with
// "MITL", which means no image list.
std::span<const std::uint8_t> ImageListStream(std::span<const std::uint8_t> data);

}  // namespace quarrow
