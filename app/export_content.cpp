#include "app/export_content.h"

#include <cstddef>
#include <cstdint>
#include <limits>

#include "base/value.h"

namespace quarrow::app {

namespace {
// Room for the row numbers of later rows, which have more digits than the first one's.
constexpr std::size_t kNumberGrowth = 8;
constexpr std::size_t kLineEnd = 2;
// A guess is only a guess: it never asks for more than this at once.
constexpr std::size_t kLargestGuess = std::size_t{64} << 20;
constexpr std::size_t kLongestByteSet = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
}  // namespace

ExportContent::ExportContent() : block_(kByteSetHeader, '\0') {}

ExportContent::ExportContent(std::size_t expected_rows) : ExportContent() { expected_rows_ = expected_rows; }

void ExportContent::AddRow(std::string_view number, std::string_view address) {
  if (block_.size() == kByteSetHeader && expected_rows_ > 1) {
    const std::size_t row = number.size() + address.size() + kNumberGrowth + kLineEnd;
    // Untouched room costs nothing but address space.
    block_.reserve(kByteSetHeader + (row <= kLargestGuess / expected_rows_ ? row * expected_rows_ : kLargestGuess));
    expected_rows_ = 0;
  }
  // Appending keeps the whole export linear: the buffer grows geometrically instead of being joined anew per row.
  block_.append(number);
  block_.append(address);
  block_.append("\r\n");
}

std::string_view ExportContent::Bytes() const { return std::string_view(block_).substr(kByteSetHeader); }

bool ExportContent::TooLong() const { return block_.size() - kByteSetHeader > kLongestByteSet; }

const void* ExportContent::ByteSet() {
  const std::size_t length = block_.size() - kByteSetHeader;
  if (length == 0 || length > kLongestByteSet) return nullptr;
  WriteByteSetHeader(block_.data(), static_cast<std::int32_t>(length));
  return block_.data();
}

}  // namespace quarrow::app
