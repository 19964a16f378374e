#include "batch/unique_addresses.h"

namespace quarrow::batch {

namespace {

std::uint64_t SlotsFor(std::uint32_t rows) {
  std::uint64_t slots = 16;
  while (slots < std::uint64_t{rows} + rows / 4) slots *= 2;
  return slots;
}

// FNV-1a over the bytes, then a final mix so that the low bits, which pick the slot, depend on every byte. The
// same on every build: no std::hash. The region's code comes first, in four bytes: fixed in length, it cannot
// run into the address.
std::uint64_t Fingerprint(std::uint32_t region_code, std::string_view bytes) {
  std::uint64_t h = 0xCBF29CE484222325u;
  for (int shift = 0; shift < 32; shift += 8) h = (h ^ ((region_code >> shift) & 0xFF)) * 0x100000001B3u;
  for (const char c : bytes) h = (h ^ static_cast<unsigned char>(c)) * 0x100000001B3u;
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDu;
  h ^= h >> 33;
  return h == 0 ? 1 : h;
}

}  // namespace

UniqueAddresses::UniqueAddresses(std::uint32_t rows) : slots_(SlotsFor(rows), 0), mask_(SlotsFor(rows) - 1) {}

std::uint64_t UniqueAddresses::BytesFor(std::uint32_t rows) { return SlotsFor(rows) * sizeof(std::uint64_t); }

bool UniqueAddresses::Add(std::string_view address, std::uint32_t region_code) {
  const std::uint64_t print = Fingerprint(region_code, address);
  for (std::uint64_t at = print & mask_;; at = (at + 1) & mask_) {
    if (slots_[at] == print) return false;
    if (slots_[at] == 0) {
      slots_[at] = print;
      return true;
    }
  }
}

}  // namespace quarrow::batch
