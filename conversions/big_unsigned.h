// A fixed-capacity unsigned integer, just large enough for the exact value of any double scaled to an integer:
// a 53-bit mantissa times 2^971 (1024 bits), or times 5^1074 (under 2,548 bits).
#pragma once

#include <array>
#include <cstdint>

namespace quarrow {

class BigUnsigned {
 public:
  static constexpr int kWords = 84;

  explicit BigUnsigned(std::uint64_t value = 0);

  bool IsZero() const { return size_ == 0; }
  int BitLength() const;
  bool Bit(int index) const;

  void Multiply(std::uint32_t factor);
  void MultiplyByPowerOfFive(int exponent);
  void ShiftLeft(int bits);
  // Divides in place and returns the remainder.
  std::uint32_t Divide(std::uint32_t divisor);

 private:
  void Trim();

  std::array<std::uint32_t, kWords> words_{};
  int size_ = 0;  // words in use; the highest of them is non-zero
};

}  // namespace quarrow
