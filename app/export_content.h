// The bytes of an exported file, built row by row in one growing buffer: each row is its number's text, its
// address's text and CR LF, with no separator, no header, no byte-order mark and no terminating zero. A list
// without rows gives no bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quarrow::app {

class ExportContent {
 public:
  ExportContent() = default;
  // The rows of one list are about equally long: the first row sizes the buffer for all of them, so that a
  // long list is not copied again each time the buffer grows. Longer rows later still fit, at the cost of growing.
  explicit ExportContent(std::size_t expected_rows) : expected_rows_(expected_rows) {}

  void AddRow(std::string_view number, std::string_view address);

  std::string_view Bytes() const { return bytes_; }
  // The same bytes as a zero-terminated text: the cells are texts, so no zero byte occurs inside.
  const char* Text() const { return bytes_.c_str(); }

 private:
  std::size_t expected_rows_ = 0;
  std::string bytes_;
};

}  // namespace quarrow::app
