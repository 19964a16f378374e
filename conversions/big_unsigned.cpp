#include "conversions/big_unsigned.h"

namespace quarrow {

BigUnsigned::BigUnsigned(std::uint64_t value) {
  words_[0] = static_cast<std::uint32_t>(value);
  words_[1] = static_cast<std::uint32_t>(value >> 32);
  size_ = 2;
  Trim();
}

void BigUnsigned::Trim() {
  while (size_ > 0 && words_[static_cast<std::size_t>(size_ - 1)] == 0) --size_;
}

int BigUnsigned::BitLength() const {
  if (size_ == 0) return 0;
  std::uint32_t top = words_[static_cast<std::size_t>(size_ - 1)];
  int bits = 0;
  while (top != 0) {
    ++bits;
    top >>= 1;
  }
  return (size_ - 1) * 32 + bits;
}

bool BigUnsigned::Bit(int index) const {
  if (index < 0 || index >= size_ * 32) return false;
  return (words_[static_cast<std::size_t>(index / 32)] >> (index % 32)) & 1;
}

void BigUnsigned::Multiply(std::uint32_t factor) {
  std::uint64_t carry = 0;
  for (int i = 0; i < size_; ++i) {
    const std::uint64_t product = static_cast<std::uint64_t>(words_[static_cast<std::size_t>(i)]) * factor + carry;
    words_[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(product);
    carry = product >> 32;
  }
  // The capacity covers every value this class is used for; a carry past it would be a caller's defect.
  if (carry != 0 && size_ < kWords) words_[static_cast<std::size_t>(size_++)] = static_cast<std::uint32_t>(carry);
  Trim();
}

void BigUnsigned::MultiplyByPowerOfFive(int exponent) {
  constexpr std::uint32_t kFiveToThe13 = 1220703125;  // the largest power of five in 32 bits
  for (; exponent >= 13; exponent -= 13) Multiply(kFiveToThe13);
  std::uint32_t rest = 1;
  for (; exponent > 0; --exponent) rest *= 5;
  if (rest != 1) Multiply(rest);
}

void BigUnsigned::ShiftLeft(int bits) {
  if (size_ == 0 || bits <= 0) return;
  const int word_shift = bits / 32;
  const int bit_shift = bits % 32;
  int new_size = size_ + word_shift + 1;
  if (new_size > kWords) new_size = kWords;
  for (int i = new_size - 1; i >= 0; --i) {
    const int from = i - word_shift;
    std::uint32_t w = 0;
    if (from >= 0 && from < size_) w = words_[static_cast<std::size_t>(from)] << bit_shift;
    if (bit_shift != 0 && from - 1 >= 0 && from - 1 < size_) {
      w |= words_[static_cast<std::size_t>(from - 1)] >> (32 - bit_shift);
    }
    words_[static_cast<std::size_t>(i)] = w;
  }
  size_ = new_size;
  Trim();
}

std::uint32_t BigUnsigned::Divide(std::uint32_t divisor) {
  std::uint64_t remainder = 0;
  for (int i = size_ - 1; i >= 0; --i) {
    const std::uint64_t current = (remainder << 32) | words_[static_cast<std::size_t>(i)];
    words_[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(current / divisor);
    remainder = current % divisor;
  }
  Trim();
  return static_cast<std::uint32_t>(remainder);
}

}  // namespace quarrow
