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
  ExportContent();
  // The rows of one list are about equally long: the first row sizes the buffer for all of them, so that a
  // long list is not copied again each time the buffer grows. Longer rows later still fit, at the cost of growing.
  explicit ExportContent(std::size_t expected_rows);

  void AddRow(std::string_view number, std::string_view address);

  std::string_view Bytes() const;
  // The bytes as a byte-set block, ready to be passed to a command without copying them once more: the buffer
  // keeps room for the block's header in front of them. Null for no bytes (the empty byte set), and for more
  // bytes than a byte set can count (see TooLong). Valid until the next AddRow.
  const void* ByteSet();
  bool TooLong() const;

 private:
  std::size_t expected_rows_ = 0;
  std::string block_;  // the byte-set header, then the bytes
};

}  // namespace quarrow::app
