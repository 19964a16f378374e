// The rows as bytes: text (what the window's export writes), csv or jsonl, in the chosen encoding.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "batch/address_maker.h"
#include "batch/batch_options.h"

namespace quarrow::batch {

class RowFormat {
 public:
  RowFormat(Format format, Encoding encoding, std::string prefix);

  // What comes before the first row: a byte-order mark, the csv header.
  void AppendStart(std::string& out) const;
  void AppendRow(std::uint32_t number, const Address& address, std::string& out);

 private:
  void AppendEncoded(std::string_view gbk, std::string& out) const;
  void AppendCsvField(std::string_view gbk, std::string& out) const;
  void AppendJsonField(std::string_view key, std::string_view gbk, std::string& out);

  Format format_;
  Encoding encoding_;
  std::string prefix_;  // GBK
  std::string utf8_;    // working space of a jsonl row
};

}  // namespace quarrow::batch
