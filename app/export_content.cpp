#include "app/export_content.h"

#include <cstddef>

namespace quarrow::app {

namespace {
// Room for the row numbers of later rows, which have more digits than the first one's.
constexpr std::size_t kNumberGrowth = 8;
constexpr std::size_t kLineEnd = 2;
// A guess is only a guess: it never asks for more than this at once.
constexpr std::size_t kLargestGuess = std::size_t{64} << 20;
}  // namespace

void ExportContent::AddRow(std::string_view number, std::string_view address) {
  if (bytes_.empty() && expected_rows_ > 1) {
    const std::size_t row = number.size() + address.size() + kNumberGrowth + kLineEnd;
    // Untouched room costs nothing but address space.
    bytes_.reserve(row <= kLargestGuess / expected_rows_ ? row * expected_rows_ : kLargestGuess);
    expected_rows_ = 0;
  }
  // Appending keeps the whole export linear: the buffer grows geometrically instead of being joined anew per row.
  bytes_.append(number);
  bytes_.append(address);
  bytes_.append("\r\n");
}

}  // namespace quarrow::app
