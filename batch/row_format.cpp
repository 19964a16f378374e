#include "batch/row_format.h"

#include <charconv>
#include <stdexcept>

#include "conversions/gbk_unicode.h"

namespace quarrow::batch {

namespace {

// The column names; GBK in the program, like every Chinese text of it.
constexpr std::string_view kColumns[] = {"序号", "前缀", "路", "号", "小区", "号楼", "单元", "室", "地址"};

void AppendNumber(std::uint32_t number, std::string& out) {
  char digits[10];
  out.append(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
}

void AppendUtf8(std::string_view gbk, std::string& out) {
  // Names and prefixes were checked when they were read, and the generated characters all have their place in
  // the table: a failure here is a fault of the program, not of the input.
  if (!AppendGbkAsUtf8(gbk, out)) throw std::logic_error("a checked GBK text did not convert to UTF-8");
}

}  // namespace

RowFormat::RowFormat(Format format, Encoding encoding, std::string prefix)
    : format_(format), encoding_(format == Format::kJsonl ? Encoding::kUtf8 : encoding), prefix_(std::move(prefix)) {}

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

// Escaped after the conversion: in GBK a trail byte can be 0x5C, which is a backslash only in ASCII.
void RowFormat::AppendJsonField(std::string_view key, std::string_view gbk, std::string& out) {
  out.push_back(',');
  out.push_back('"');
  AppendUtf8(key, out);
  out.append("\":\"");
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

void RowFormat::AppendRow(std::uint32_t number, const Address& address, std::string& out) {
  const auto& p = address.parts;
  switch (format_) {
    case Format::kText:
      AppendNumber(number, out);
      AppendEncoded(prefix_, out);
      AppendEncoded(address.text, out);
      out.append("\r\n");
      return;
    case Format::kCsv: {
      AppendNumber(number, out);
      const std::string_view fields[] = {prefix_, p.road, p.number, p.community, p.building, p.unit, p.room};
      for (std::string_view field : fields) {
        out.push_back(',');
        AppendCsvField(field, out);
      }
      out.push_back(',');
      // The whole address as the window shows it: the prefix and the address in one field.
      AppendCsvField(prefix_ + std::string(address.text), out);
      out.append("\r\n");
      return;
    }
    case Format::kJsonl: {
      out.append("{\"");
      AppendUtf8(kColumns[0], out);
      out.append("\":");
      AppendNumber(number, out);
      const std::string_view fields[] = {prefix_, p.road, p.number, p.community, p.building, p.unit, p.room};
      for (std::size_t i = 0; i < std::size(fields); ++i) AppendJsonField(kColumns[i + 1], fields[i], out);
      AppendJsonField(kColumns[8], prefix_ + std::string(address.text), out);
      out.append("}\n");
      return;
    }
  }
}

}  // namespace quarrow::batch
