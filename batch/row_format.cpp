#include "batch/row_format.h"

#include <charconv>
#include <memory>
#include <stdexcept>
#include <vector>

#include "conversions/gbk_unicode.h"

namespace quarrow::batch {

namespace {

// sql: rows per INSERT statement. Statements end on multiples of it, counted in the whole run's rows, so that the
// parts of a run put together are the whole run's statements.
constexpr std::uint64_t kRowsPerStatement = 1000;

void AppendNumber(std::uint64_t number, std::string& out) {
  char digits[20];
  out.append(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
}

void AppendUtf8(std::string_view gbk, std::string& out) {
  // Names and prefixes were checked when they were read, and the generated characters all have their place in
  // the table: a failure here is a fault of the program, not of the input.
  if (!AppendGbkAsUtf8(gbk, out)) throw std::logic_error("a checked GBK text did not convert to UTF-8");
}

bool Utf8(const FormatSettings& s) { return s.format == Format::kJsonl || s.encoding != Encoding::kGbk; }

}  // namespace

bool IsPlain(std::string_view gbk) {
  for (const char c : gbk) {
    if (static_cast<unsigned char>(c) < 0x20 || c == ',' || c == '"' || c == '\\' || c == '\'') return false;
  }
  return true;
}

// The bytes each region or town of the run puts into a row, in the row's format and encoding, made before the run:
// a row copies them out of one block of memory. Each place's bytes lie together, its names joined and then its
// columns, and where they start is the one thing looked up: the towns are many, and a row picks one at random.
// Their names are plain (the tables' tests see to it).
class PlaceBytes {
 public:
  // Each place's values go in `columns`, in order.
  struct Place {
    std::vector<std::string_view> values;  // GBK
    std::string_view joined;               // GBK: the names together, as the address text shows them
  };

  template <class AppendValue, class AppendEncoded>
  PlaceBytes(std::span<const Place> places, std::span<const Column> columns, AppendValue append_value,
             AppendEncoded append_encoded) {
    starts_.reserve(places.size() + 1);
    for (const Place& place : places) {
      starts_.push_back(static_cast<std::uint32_t>(bytes_.size()));
      bytes_.push_back('\0');
      append_encoded(place.joined, bytes_);
      const std::size_t length = bytes_.size() - starts_.back() - 1;
      if (length > 255) throw std::logic_error("a place's names are longer than the table of their bytes allows");
      bytes_[starts_.back()] = static_cast<char>(length);
      for (std::size_t i = 0; i < columns.size(); ++i) append_value(columns[i], place.values[i], bytes_);
    }
    starts_.push_back(static_cast<std::uint32_t>(bytes_.size()));
  }

  std::string_view Joined(std::size_t place) const {
    const char* at = bytes_.data() + starts_[place];
    return {at + 1, static_cast<unsigned char>(*at)};
  }
  // Asks the processor for a place's bytes ahead of its row, in two steps some rows apart: where they start, and
  // once that is near, the bytes.
  void FetchStart(std::size_t place) const { __builtin_prefetch(&starts_[place]); }
  void FetchBytes(std::size_t place) const { __builtin_prefetch(bytes_.data() + starts_[place]); }

  // The place's columns, each with its separator (and key).
  std::string_view Columns(std::size_t place) const {
    const char* at = bytes_.data() + starts_[place];
    const char* columns = at + 1 + static_cast<unsigned char>(*at);
    return {columns, static_cast<std::size_t>(bytes_.data() + starts_[place + 1] - columns)};
  }

 private:
  std::string bytes_;
  std::vector<std::uint32_t> starts_;
};

RowFormat::RowFormat(const FormatSettings& settings, std::span<const Region* const> regions,
                     std::span<const Town* const> towns)
    : settings_(settings), prefix_is_plain_(IsPlain(settings.prefix)) {
  if (settings_.format == Format::kJsonl) settings_.encoding = Encoding::kUtf8;
  AppendEncoded(settings_.prefix, encoded_prefix_);
  columns_ = ColumnsOf(!regions.empty(), !towns.empty());
  leads_.resize(static_cast<std::size_t>(Column::kAddress) + 1);
  const HeaderNames names = settings_.format == Format::kSql ? HeaderNames::kPlain : settings_.header;
  for (const Column column : columns_) {
    std::string& lead = leads_[static_cast<std::size_t>(column)];
    const bool first = column == Column::kSeq;
    switch (settings_.format) {
      case Format::kText: break;
      case Format::kCsv:
        if (!first) lead.push_back(',');
        break;
      case Format::kSql: lead.push_back(first ? '(' : ','); break;
      case Format::kJsonl:
        lead.push_back(first ? '{' : ',');
        lead.push_back('"');
        AppendUtf8(NameOf(column, names), lead);
        lead += "\":";
        break;
    }
  }
  if (settings_.format == Format::kSql) {
    insert_.append("INSERT INTO ").append(settings_.table).append(" (");
    for (const Column column : columns_) {
      insert_ += NameOf(column, HeaderNames::kPlain);
      insert_ += column == Column::kAddress ? ") VALUES\n" : ",";
    }
  }
  // Text rows have no columns, only the names joined.
  const auto ColumnsIn = [this](std::span<const Column> columns) {
    return settings_.format == Format::kText ? std::span<const Column>() : columns;
  };
  const auto append_value = [this](Column c, std::string_view v, std::string& out) { AppendValue(c, v, out); };
  const auto append_encoded = [this](std::string_view v, std::string& out) { AppendEncoded(v, out); };
  if (!regions.empty()) {
    std::vector<PlaceBytes::Place> places;
    for (const Region* r : regions) {
      places.push_back({{r->gbk.province, r->gbk.city, r->gbk.county, r->code_text}, r->gbk.joined});
    }
    const Column columns[] = {Column::kProvince, Column::kCity, Column::kCounty, Column::kDivisionCode};
    region_bytes_ = std::make_shared<const PlaceBytes>(places, ColumnsIn(columns), append_value, append_encoded);
  }
  if (!towns.empty()) {
    std::vector<PlaceBytes::Place> places;
    for (const Town* t : towns) places.push_back({{t->gbk, t->code_text}, t->gbk});
    const Column columns[] = {Column::kTown, Column::kTownCode};
    town_bytes_ = std::make_shared<const PlaceBytes>(places, ColumnsIn(columns), append_value, append_encoded);
    towns_ = towns;
  }
}

void RowFormat::Fetch(std::uint32_t region, std::uint32_t town, bool bytes) const {
  if (region_bytes_) bytes ? region_bytes_->FetchBytes(region) : region_bytes_->FetchStart(region);
  if (town_bytes_ && town != kNoTown) bytes ? town_bytes_->FetchBytes(town) : town_bytes_->FetchStart(town);
}

void RowFormat::AppendEncoded(std::string_view gbk, std::string& out) const {
  if (!Utf8(settings_)) {
    out.append(gbk);
  } else {
    AppendUtf8(gbk, out);
  }
}

void RowFormat::AppendStart(std::string& out) const {
  if (settings_.encoding == Encoding::kUtf8Bom) out.append("\xEF\xBB\xBF");
  if (settings_.format == Format::kCsv) {
    for (const Column column : columns_) {
      if (column != Column::kSeq) out.push_back(',');
      AppendEncoded(NameOf(column, settings_.header), out);
    }
    out.append("\r\n");
  }
  if (settings_.format == Format::kSql && settings_.create_table) {
    // Codes are texts: their leading digits matter, and they are never added up.
    out.append("CREATE TABLE ").append(settings_.table).append(" (\n");
    for (const Column column : columns_) {
      out += "  ";
      out += NameOf(column, HeaderNames::kPlain);
      out += column == Column::kSeq ? " BIGINT PRIMARY KEY" : " TEXT NOT NULL";
      out += column == Column::kAddress ? "\n);\n" : ",\n";
    }
  }
}

// Quoted only when it must be. A GBK trail byte is never a comma, a quote or a line break, so the bytes can be
// looked at one by one.
void RowFormat::AppendCsvField(std::string_view gbk, std::string& out) const {
  if (gbk.find_first_of(",\"\r\n") == std::string_view::npos) {
    AppendEncoded(gbk, out);
    return;
  }
  AppendQuoted(gbk, '"', out);
}

// Between quotes, a quote within written twice: how csv and standard SQL quote a text.
void RowFormat::AppendQuoted(std::string_view gbk, char quote, std::string& out) const {
  out.push_back(quote);
  for (std::size_t at = 0; at < gbk.size();) {
    const std::size_t found = gbk.find(quote, at);
    AppendEncoded(gbk.substr(at, found - at), out);
    if (found == std::string_view::npos) break;
    out.push_back(quote);
    out.push_back(quote);
    at = found + 1;
  }
  out.push_back(quote);
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

// Standard SQL: a quote is written twice. A GBK trail byte is never a quote. (Backslashes, which MySQL would read
// as escapes, were refused where the texts were read.)
void RowFormat::AppendSqlString(std::string_view gbk, std::string& out) const { AppendQuoted(gbk, '\'', out); }

void RowFormat::AppendValue(Column column, std::string_view gbk, std::string& out) {
  out.append(leads_[static_cast<std::size_t>(column)]);
  switch (settings_.format) {
    case Format::kText: AppendEncoded(gbk, out); return;
    case Format::kCsv: AppendCsvField(gbk, out); return;
    case Format::kJsonl: AppendJsonString(gbk, out); return;
    case Format::kSql: AppendSqlString(gbk, out); return;
  }
}

// The whole address as the window shows it, as the last field: the prefix, the region, the town and the address.
// Plain parts are copied as they are, already encoded; the rest goes the way of any field.
void RowFormat::AppendWhole(const Address& address, std::string& out) {
  if (prefix_is_plain_ && IsPlain(address.text)) {
    out.append(leads_[static_cast<std::size_t>(Column::kAddress)]);
    const char quote = settings_.format == Format::kJsonl ? '"' : settings_.format == Format::kSql ? '\'' : '\0';
    if (quote) out.push_back(quote);
    out.append(encoded_prefix_);
    if (address.region) out.append(region_bytes_->Joined(address.region_index));
    if (address.town != kNoTown) out.append(town_bytes_->Joined(address.town));
    AppendEncoded(address.text, out);
    if (quote) out.push_back(quote);
    return;
  }
  whole_.assign(settings_.prefix);
  if (address.region) whole_.append(address.region->gbk.joined);
  if (address.town != kNoTown) whole_.append(towns_[address.town]->gbk);
  whole_.append(address.text);
  AppendValue(Column::kAddress, whole_, out);
}

void RowFormat::AppendRow(std::uint64_t number, const Address& address, std::string& out) {
  if (settings_.format == Format::kText) {
    AppendNumber(number, out);
    out.append(encoded_prefix_);
    if (address.region) out.append(region_bytes_->Joined(address.region_index));
    if (address.town != kNoTown) out.append(town_bytes_->Joined(address.town));
    AppendEncoded(address.text, out);
    out.append("\r\n");
    return;
  }
  if (settings_.format == Format::kSql && ((number - 1) % kRowsPerStatement == 0 || number == settings_.first_row)) {
    out.append(insert_);
  }
  out.append(leads_[static_cast<std::size_t>(Column::kSeq)]);
  AppendNumber(number, out);
  AppendValue(Column::kPrefix, settings_.prefix, out);
  if (address.region) out.append(region_bytes_->Columns(address.region_index));
  // A row of a run with towns whose region has none still has their columns, empty.
  if (address.town != kNoTown) {
    out.append(town_bytes_->Columns(address.town));
  } else if (town_bytes_) {
    AppendValue(Column::kTown, {}, out);
    AppendValue(Column::kTownCode, {}, out);
  }
  const auto& p = address.parts;
  AppendValue(Column::kRoad, p.road, out);
  AppendValue(Column::kHouseNumber, p.number, out);
  AppendValue(Column::kCommunity, p.community, out);
  AppendValue(Column::kBuilding, p.building, out);
  AppendValue(Column::kUnit, p.unit, out);
  AppendValue(Column::kRoom, p.room, out);
  AppendWhole(address, out);
  switch (settings_.format) {
    case Format::kCsv: out.append("\r\n"); return;
    case Format::kJsonl: out.append("}\n"); return;
    case Format::kSql:
      out.append(number % kRowsPerStatement == 0 || number == settings_.last_row ? ");\n" : "),\n");
      return;
    case Format::kText: return;
  }
}

}  // namespace quarrow::batch
