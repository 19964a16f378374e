#include "batch/address_rows.h"

namespace quarrow::batch {

AddressRows::AddressRows(std::uint32_t seed, const AddressSettings& settings, const RowFormat& format)
    : maker_(seed, settings), format_(format), ahead_(settings.real && settings.regions) {}

void AddressRows::MoveTo(std::uint64_t row) {
  maker_.MoveTo(row - 1);
  row_ = row;
  if (!ahead_) return;
  for (std::uint64_t i = 0; i < kAhead; ++i) Chosen(row + i) = maker_.Choose(row - 1 + i);
  for (std::uint64_t i = 1; i < kAhead; ++i) Fetch(row + i, false);
}

void AddressRows::AppendNext(std::string& out) {
  if (!ahead_) {
    format_.AppendRow(row_++, maker_.Next(), out);
    return;
  }
  // Real style's regions, towns and place names come at random from tables larger than a processor's nearer
  // caches: the row after next is chosen now and where its bytes start fetched, the next row's bytes too.
  Chosen(row_ + kAhead) = maker_.Choose(row_ - 1 + kAhead);
  Fetch(row_ + kAhead, false);
  Fetch(row_ + 1, true);
  format_.AppendRow(row_, maker_.Make(Chosen(row_)), out);
  ++row_;
}

void AddressRows::Fetch(std::uint64_t row, bool bytes) {
  const AddressMaker::Choices& c = Chosen(row);
  format_.Fetch(c.region, c.town, bytes);
  if (c.local_stem && !bytes) __builtin_prefetch(c.local_stem);
}

}  // namespace quarrow::batch
