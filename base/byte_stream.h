// Little-endian primitives for every stored byte format of the system: the form description, the stored
// property blocks of the unit types, columns and items data, picture and sound files.
//
// ByteReader never reads past its end: a read that would runs out sets the failed flag, yields zeros or empty
// spans, and every later read fails too, so a format reader checks Failed() once at the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quarrow {

using Bytes = std::vector<std::uint8_t>;

class ByteReader {
 public:
  ByteReader() = default;
  ByteReader(const void* data, std::size_t size) : data_(static_cast<const std::uint8_t*>(data)), size_(size) {}
  explicit ByteReader(std::span<const std::uint8_t> bytes) : ByteReader(bytes.data(), bytes.size()) {}

  bool Failed() const { return failed_; }
  void Fail() { failed_ = true; }
  std::size_t Position() const { return pos_; }
  std::size_t Remaining() const { return failed_ ? 0 : size_ - pos_; }
  bool AtEnd() const { return Remaining() == 0; }
  const std::uint8_t* Here() const { return data_ + pos_; }

  std::span<const std::uint8_t> Take(std::size_t n) {
    if (failed_ || n > size_ - pos_) {
      failed_ = true;
      return {};
    }
    std::span<const std::uint8_t> s(data_ + pos_, n);
    pos_ += n;
    return s;
  }
  bool Skip(std::size_t n) { return Take(n).size() == n && !failed_; }

  std::uint8_t U8() {
    auto s = Take(1);
    return s.empty() ? 0 : s[0];
  }
  std::uint16_t U16() {
    auto s = Take(2);
    return s.empty() ? 0 : static_cast<std::uint16_t>(s[0] | (s[1] << 8));
  }
  std::uint32_t U32() {
    auto s = Take(4);
    if (s.empty()) return 0;
    return static_cast<std::uint32_t>(s[0]) | (static_cast<std::uint32_t>(s[1]) << 8) |
           (static_cast<std::uint32_t>(s[2]) << 16) | (static_cast<std::uint32_t>(s[3]) << 24);
  }
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
  std::int16_t I16() { return static_cast<std::int16_t>(U16()); }

  // A word n, then n bytes. A count of 0 or less is empty.
  std::span<const std::uint8_t> CountedBuffer() {
    const std::int32_t n = I32();
    if (failed_ || n <= 0) return {};
    return Take(static_cast<std::size_t>(n));
  }
  Bytes CountedBytes() {
    auto s = CountedBuffer();
    return Bytes(s.begin(), s.end());
  }
  // A word n, then n bytes of text without terminator.
  std::string CountedText() {
    auto s = CountedBuffer();
    return std::string(reinterpret_cast<const char*>(s.data()), s.size());
  }
  // Bytes up to and including a zero byte; the zero is not part of the result.
  std::string ZeroText() {
    if (failed_) return {};
    const void* zero = std::memchr(data_ + pos_, 0, size_ - pos_);
    if (zero == nullptr) {
      failed_ = true;
      return {};
    }
    const std::size_t n = static_cast<const std::uint8_t*>(zero) - (data_ + pos_);
    std::string s(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n + 1;
    return s;
  }

 private:
  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t pos_ = 0;
  bool failed_ = false;
};

class ByteWriter {
 public:
  const Bytes& Data() const { return bytes_; }
  Bytes Release() { return std::move(bytes_); }
  std::size_t Size() const { return bytes_.size(); }

  void U8(std::uint8_t v) { bytes_.push_back(v); }
  void U16(std::uint16_t v) {
    bytes_.push_back(static_cast<std::uint8_t>(v));
    bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
  }
  void U32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
  void Raw(const void* data, std::size_t n) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + n);
  }
  void Raw(std::span<const std::uint8_t> s) { Raw(s.data(), s.size()); }
  void Zeros(std::size_t n) { bytes_.insert(bytes_.end(), n, 0); }
  void CountedBuffer(std::span<const std::uint8_t> s) {
    U32(static_cast<std::uint32_t>(s.size()));
    Raw(s);
  }
  void CountedText(std::string_view s) {
    U32(static_cast<std::uint32_t>(s.size()));
    Raw(s.data(), s.size());
  }
  void ZeroText(std::string_view s) {
    Raw(s.data(), s.size());
    U8(0);
  }
  // Overwrites a word written earlier, for lengths known only afterwards.
  void PatchU32(std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  }

 private:
  Bytes bytes_;
};

}  // namespace quarrow
