// The rows as bytes: text (what the window's export writes), csv, jsonl or sql, in the chosen encoding.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "batch/address_maker.h"
#include "batch/batch_options.h"
#include "batch/columns.h"

namespace quarrow::batch {

class PlaceBytes;

struct FormatSettings {
  Format format = Format::kText;
  Encoding encoding = Encoding::kGbk;
  HeaderNames header = HeaderNames::kChinese;
  std::string prefix;  // GBK
  std::string table;   // sql: the table the rows go into
  bool create_table = false;
  // sql: statements begin at `first_row` and end at `last_row` besides every 1,000 rows: the run's first and last
  // rows, or a part's where each part is to load on its own.
  std::uint64_t first_row = 1, last_row = 0;
};

class RowFormat {
 public:
  // `regions`: the regions rows draw from, each row's region between the prefix and the address (four more
  // columns); `towns`: every town a row may have, its name after the region's (two more columns). Either empty.
  // An address's region and town are its places in these.
  RowFormat(const FormatSettings& settings, std::span<const Region* const> regions = {},
            std::span<const Town* const> towns = {});

  // What comes before the first row: a byte-order mark, the csv header, sql's CREATE TABLE.
  void AppendStart(std::string& out) const;
  void AppendRow(std::uint64_t number, const Address& address, std::string& out);
  // Asks the processor for what a row of this region and town reads: where its bytes start, or the bytes.
  void Fetch(std::uint32_t region, std::uint32_t town, bool bytes) const;

 private:
  void AppendEncoded(std::string_view gbk, std::string& out) const;
  // The column's separator (and its key in jsonl), then the value as the format writes a text.
  void AppendValue(Column column, std::string_view gbk, std::string& out);
  void AppendWhole(const Address& address, std::string& out);
  void AppendCsvField(std::string_view gbk, std::string& out) const;
  void AppendQuoted(std::string_view gbk, char quote, std::string& out) const;
  void AppendJsonString(std::string_view gbk, std::string& out);
  void AppendSqlString(std::string_view gbk, std::string& out) const;

  FormatSettings settings_;
  bool prefix_is_plain_;
  std::string encoded_prefix_;
  std::vector<Column> columns_;
  std::vector<std::string> leads_;  // by column: what goes before its value
  std::string insert_;              // sql: a statement's start
  // Shared by the copies the workers make.
  std::shared_ptr<const PlaceBytes> region_bytes_, town_bytes_;
  std::span<const Town* const> towns_;
  std::string utf8_;   // working space of a json string
  std::string whole_;  // working space of AppendWhole
};

// A text that goes into any format's field as it is: no byte that a format quotes or escapes, looked at in GBK,
// where a trail byte may look like one (which only costs the slower way).
bool IsPlain(std::string_view gbk);

}  // namespace quarrow::batch
