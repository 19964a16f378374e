// The addresses a --unique run has written, as 64-bit fingerprints in one open-addressing table sized for the
// count up front: 8 bytes per slot, at least 1.25 slots per row, rounded up to a power of two (1 GiB for
// 100,000,000 rows), and nothing more while the run goes on.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace quarrow::batch {

class UniqueAddresses {
 public:
  explicit UniqueAddresses(std::uint32_t rows);
  // True when no address with this text's fingerprint was added before. Two different texts with one
  // fingerprint (about one chance in 2^64 per pair) count as the same, which skips one address and never lets a
  // duplicate through.
  // `region_code`, the region's code under --regions (0 without), counts in what makes an address different.
  bool Add(std::string_view address, std::uint32_t region_code = 0);

  static std::uint64_t BytesFor(std::uint32_t rows);

 private:
  std::vector<std::uint64_t> slots_;  // 0 marks a free slot
  std::uint64_t mask_;
};

}  // namespace quarrow::batch
