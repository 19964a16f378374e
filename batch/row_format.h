// The rows as bytes: text (what the window's export writes), csv or jsonl, in the chosen encoding.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "batch/address_maker.h"
#include "batch/batch_options.h"

namespace quarrow::batch {

class RegionBytes;

class RowFormat {
 public:
  // With `regions`, the regions that rows draw from, each row's region goes between the prefix and the address:
  // four more columns in csv and jsonl.
  RowFormat(Format format, Encoding encoding, std::string prefix, std::span<const Region* const> regions = {});

  // What comes before the first row: a byte-order mark, the csv header.
  void AppendStart(std::string& out) const;
  void AppendRow(std::uint64_t number, const Address& address, std::string& out);

 private:
  void AppendEncoded(std::string_view gbk, std::string& out) const;
  void AppendCsvField(std::string_view gbk, std::string& out) const;
  void AppendJsonKey(std::string_view key, std::string& out) const;
  void AppendJsonString(std::string_view gbk, std::string& out);
  void AppendWhole(const Address& address, std::string& out);

  Format format_;
  Encoding encoding_;
  std::string prefix_;  // GBK
  bool prefix_is_plain_;
  std::string encoded_prefix_;
  std::shared_ptr<const RegionBytes> region_bytes_;  // shared by the copies each block of rows makes
  std::string utf8_;   // working space of a jsonl row
  std::string whole_;  // working space of AppendWhole
};

}  // namespace quarrow::batch
