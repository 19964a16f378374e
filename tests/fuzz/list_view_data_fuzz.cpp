// The list view's columns, items and image-list data on arbitrary input. The first byte picks the format.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "units/list_view_data.h"

namespace {

using namespace quarrow;

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

void CheckColumns(std::span<const std::uint8_t> data) {
  std::vector<ListViewColumn> columns;
  const bool complete = ReadListViewColumns(data, columns);
  const Bytes written = WriteListViewColumns(columns);
  Require(written.size() <= data.size());
  std::vector<ListViewColumn> again;
  Require(ReadListViewColumns(written, again));
  Require(again == columns);
  if (complete) Require(written.size() == data.size());
}

// Checks that rows go in at the running row number and cells count their columns from 1 after each row.
class CheckingSink : public ListViewRowSink {
 public:
  explicit CheckingSink(ImageCounts counts) : counts_(counts) {}
  std::int32_t InsertRow(std::int32_t position, const ListViewItemRecord& record, std::int32_t image,
                         std::int32_t state_image) override {
    Require(record.StartsRow() && position == rows_);
    Require(image == -1 || (image >= 0 && image < counts_.images));
    Require(state_image == -1 || (state_image >= 0 && state_image < counts_.state_images));
    ++rows_;
    column_ = 0;
    return position;
  }
  void SetCell(std::int32_t row, std::int32_t column, const ListViewItemRecord& record, std::int32_t image) override {
    Require(!record.StartsRow() && row == (rows_ > 0 ? rows_ - 1 : 0) && column == ++column_);
    Require(image == -1 || (image >= 0 && image < counts_.images));
  }

 private:
  ImageCounts counts_;
  std::int32_t rows_ = 0;
  std::int32_t column_ = 0;
};

void CheckItems(std::span<const std::uint8_t> data, std::uint8_t selector) {
  std::vector<ListViewItemRecord> records;
  const bool complete = ReadListViewItems(data, records);
  const Bytes written = WriteListViewItems(records);
  // Every field of an item record is kept as read, so complete data is written back byte for byte.
  if (complete) Require(written == Bytes(data.begin(), data.end()));
  std::vector<ListViewItemRecord> again;
  Require(ReadListViewItems(written, again));
  Require(again == records);

  const ImageCounts counts{selector & 7, (selector >> 3) & 3};
  CheckingSink sink(counts);
  PlayListViewItems(records, counts, sink);
  std::int32_t rows = 0;
  for (const ListViewItemRecord& r : records) rows += r.StartsRow() ? 1 : 0;
  for (std::int32_t row = -1; row <= rows; ++row) Require((TipOfRow(records, row) != nullptr) == (row >= 0 && row < rows));
}

void CheckImageList(std::span<const std::uint8_t> data) {
  const auto stream = ImageListStream(data);
  if (!stream.empty()) {
    Require(stream.size() + 8 == data.size());
    Require(WrapImageListStream(stream).size() == data.size());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::span<const std::uint8_t> rest(data + 1, size - 1);
  switch (data[0] % 3) {
    case 0: CheckColumns(rest); break;
    case 1: CheckItems(rest, data[0]); break;
    default: CheckImageList(rest); break;
  }
  return 0;
}
