// The rows a worker makes: addresses of its own address maker, as bytes of its own copy of the format.
#pragma once

#include <cstdint>
#include <string>

#include "batch/address_maker.h"
#include "batch/row_blocks.h"
#include "batch/row_format.h"

namespace quarrow::batch {

class AddressRows final : public RowMaker {
 public:
  AddressRows(std::uint32_t seed, const AddressSettings& settings, const RowFormat& format);
  void MoveTo(std::uint64_t row) override;
  void AppendNext(std::string& out) override;

 private:
  // Rows chosen ahead of the one being made.
  static constexpr std::uint64_t kAhead = 2;

  AddressMaker::Choices& Chosen(std::uint64_t row) { return chosen_[row % (kAhead + 1)]; }
  void Fetch(std::uint64_t row, bool bytes);

  AddressMaker maker_;
  RowFormat format_;
  const bool ahead_;  // real style with regions
  std::uint64_t row_ = 1;
  AddressMaker::Choices chosen_[kAhead + 1] = {{places::AddressRandom(0, 0)}, {places::AddressRandom(0, 0)},
                                               {places::AddressRandom(0, 0)}};
};

}  // namespace quarrow::batch
