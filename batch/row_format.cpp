#include "batch/row_format.h"

#include <charconv>
#include <memory>
#include <stdexcept>
#include <vector>

#include "conversions/gbk_unicode.h"

namespace quarrow::batch {

namespace {

// The column names; GBK in the program, like every Chinese text of it. The region's columns, under --regions,
// come after the prefix's.
constexpr std::string_view kColumns[] = {"序号", "前缀", "路", "号", "小区", "号楼", "单元", "室", "地址"};
constexpr std::string_view kRegionColumns[] = {"省", "市", "区县", "区划代码"};

void AppendNumber(std::uint64_t number, std::string& out) {
  char digits[20];
  out.append(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
}

void AppendUtf8(std::string_view gbk, std::string& out) {
  // Names and prefixes were checked when they were read, and the generated characters all have their place in
  // the table: a failure here is a fault of the program, not of the input.
  if (!AppendGbkAsUtf8(gbk, out)) throw std::logic_error("a checked GBK text did not convert to UTF-8");
}

// A text that goes into a csv field or a JSON string as it is: no byte that quotes or escapes, looked at in GBK,
// where a trail byte may look like one (which only costs the slower way).
bool IsPlain(std::string_view gbk) {
  for (const char c : gbk) {
    if (static_cast<unsigned char>(c) < 0x20 || c == ',' || c == '"' || c == '\\') return false;
  }
  return true;
}

}  // namespace

// The bytes each region of the run puts into a row, in the row's format and encoding, made before the run: a row
// copies them out of one small block of memory. A region's names are plain (the table's test sees to it).
class RegionBytes {
 public:
  RegionBytes(Format format, Encoding encoding, std::span<const Region* const> regions) {
    starts_.reserve(2 * regions.size() + 1);
    for (const Region* region : regions) {
      const RegionNames& names = encoding == Encoding::kGbk ? region->gbk : region->utf8;
      starts_.push_back(static_cast<std::uint32_t>(bytes_.size()));
      const std::string* columns[] = {&names.province, &names.city, &names.county, &region->code_text};
      for (std::size_t i = 0; i < std::size(columns) && format != Format::kText; ++i) {
        if (format == Format::kCsv) {
          bytes_ += ',' + *columns[i];
        } else {
          bytes_ += ",\"";
          AppendUtf8(kRegionColumns[i], bytes_);
          bytes_ += "\":\"" + *columns[i] + '"';
        }
      }
      starts_.push_back(static_cast<std::uint32_t>(bytes_.size()));
      bytes_ += names.joined;
    }
    starts_.push_back(static_cast<std::uint32_t>(bytes_.size()));
  }

  // csv: ",省,市,区县,区划代码"; jsonl: the four members, each after a comma; text: nothing.
  std::string_view Columns(std::uint32_t region) const { return Between(2 * region); }
  // The names together.
  std::string_view Joined(std::uint32_t region) const { return Between(2 * region + 1); }

 private:
  std::string_view Between(std::uint32_t at) const {
    return std::string_view(bytes_).substr(starts_[at], starts_[at + 1] - starts_[at]);
  }

  std::string bytes_;
  std::vector<std::uint32_t> starts_;
};

RowFormat::RowFormat(Format format, Encoding encoding, std::string prefix, std::span<const Region* const> regions)
    : format_(format),
      encoding_(format == Format::kJsonl ? Encoding::kUtf8 : encoding),
      prefix_(std::move(prefix)),
      prefix_is_plain_(IsPlain(prefix_)) {
  AppendEncoded(prefix_, encoded_prefix_);
  if (!regions.empty()) region_bytes_ = std::make_shared<const RegionBytes>(format_, encoding_, regions);
}

void RowFormat::AppendEncoded(std::string_view gbk, std::string& out) const {
  if (encoding_ == Encoding::kGbk) {
    out.append(gbk);
  } else {
    AppendUtf8(gbk, out);
  }
}

void RowFormat::AppendStart(std::string& out) const {
  if (encoding_ == Encoding::kUtf8Bom) out.append("\xEF\xBB\xBF");
  if (format_ != Format::kCsv) return;
  for (std::string_view column : kColumns) {
    if (column != kColumns[0]) out.push_back(',');
    AppendEncoded(column, out);
    if (column != kColumns[1] || !region_bytes_) continue;
    for (std::string_view region_column : kRegionColumns) {
      out.push_back(',');
      AppendEncoded(region_column, out);
    }
  }
  out.append("\r\n");
}

// Quoted only when it must be: a GBK trail byte is never a comma, a quote or a line break, so the bytes can be
// looked at one by one.
void RowFormat::AppendCsvField(std::string_view gbk, std::string& out) const {
  if (gbk.find_first_of(",\"\r\n") == std::string_view::npos) {
    AppendEncoded(gbk, out);
    return;
  }
  out.push_back('"');
  for (std::size_t at = 0; at < gbk.size();) {
    const std::size_t quote = gbk.find('"', at);
    AppendEncoded(gbk.substr(at, quote - at), out);
    if (quote == std::string_view::npos) break;
    out.append("\"\"");
    at = quote + 1;
  }
  out.push_back('"');
}

void RowFormat::AppendJsonKey(std::string_view key, std::string& out) const {
  out.append(",\"");
  AppendUtf8(key, out);
  out.append("\":");
}

// Escaped after the conversion: in GBK a trail byte can be 0x5C, which is a backslash only in ASCII.
void RowFormat::AppendJsonString(std::string_view gbk, std::string& out) {
  out.push_back('"');
  utf8_.clear();
  AppendUtf8(gbk, utf8_);
  for (const char c : utf8_) {
    switch (c) {
      case '"': out.append("\\\""); break;
      case '\\': out.append("\\\\"); break;
      case '\n': out.append("\\n"); break;
      case '\r': out.append("\\r"); break;
      case '\t': out.append("\\t"); break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          static constexpr char kHex[] = "0123456789abcdef";
          out.append("\\u00");
          out.push_back(kHex[(c >> 4) & 0xF]);
          out.push_back(kHex[c & 0xF]);
        } else {
          out.push_back(c);
        }
    }
  }
  out.push_back('"');
}

// The whole address as the window shows it, as the last field: the prefix, the region and the address. Plain
// parts are copied as they are, already encoded; the rest goes the way of any field.
void RowFormat::AppendWhole(const Address& address, std::string& out) {
  const bool json = format_ == Format::kJsonl;
  if (prefix_is_plain_ && IsPlain(address.text)) {
    if (json) out.push_back('"');
    out.append(encoded_prefix_);
    if (address.region) out.append(region_bytes_->Joined(address.region_index));
    AppendEncoded(address.text, out);
    if (json) out.push_back('"');
    return;
  }
  whole_.assign(prefix_);
  if (address.region) whole_.append(address.region->gbk.joined);
  whole_.append(address.text);
  if (json) {
    AppendJsonString(whole_, out);
  } else {
    AppendCsvField(whole_, out);
  }
}

void RowFormat::AppendRow(std::uint64_t number, const Address& address, std::string& out) {
  const auto& p = address.parts;
  const std::string_view fields[] = {p.road, p.number, p.community, p.building, p.unit, p.room};
  switch (format_) {
    case Format::kText:
      AppendNumber(number, out);
      out.append(encoded_prefix_);
      if (address.region) out.append(region_bytes_->Joined(address.region_index));
      AppendEncoded(address.text, out);
      out.append("\r\n");
      return;
    case Format::kCsv:
      AppendNumber(number, out);
      out.push_back(',');
      AppendCsvField(prefix_, out);
      if (address.region) out.append(region_bytes_->Columns(address.region_index));
      for (std::string_view field : fields) {
        out.push_back(',');
        AppendCsvField(field, out);
      }
      out.push_back(',');
      AppendWhole(address, out);
      out.append("\r\n");
      return;
    case Format::kJsonl:
      out.append("{\"");
      AppendUtf8(kColumns[0], out);
      out.append("\":");
      AppendNumber(number, out);
      AppendJsonKey(kColumns[1], out);
      AppendJsonString(prefix_, out);
      if (address.region) out.append(region_bytes_->Columns(address.region_index));
      for (std::size_t i = 0; i < std::size(fields); ++i) {
        AppendJsonKey(kColumns[i + 2], out);
        AppendJsonString(fields[i], out);
      }
      AppendJsonKey(kColumns[8], out);
      AppendWhole(address, out);
      out.append("}\n");
      return;
  }
}

}  // namespace quarrow::batch
