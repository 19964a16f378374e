#include "batch/batch_options.h"

#include <charconv>

#include "commands/text_algorithms.h"
#include "conversions/gbk_unicode.h"
#include "conversions/text_to_integer.h"

namespace quarrow::batch {

namespace {

constexpr std::uint32_t kMostRows = 100'000'000;

// Plain decimal digits and nothing else, up to `largest`.
std::optional<std::uint64_t> Decimal(std::string_view text, std::uint64_t largest) {
  if (text.empty() || text.size() > 20) return std::nullopt;
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value > largest) return std::nullopt;
  return value;
}

// A bound is blank, or a whole number of 32 bits with spaces around it; full-width digits and signs count as
// their ASCII forms, as in the window's boxes.
void CheckBound(std::string_view option, const std::string& gbk) {
  const std::string folded = TrimAllSpaces(FoldFullWidthForms(gbk.c_str()).c_str());
  if (folded.empty()) return;
  std::string_view digits = folded;
  const bool negative = digits.front() == '-';
  if (digits.front() == '-' || digits.front() == '+') digits.remove_prefix(1);
  const auto value = Decimal(digits, std::uint64_t{2147483647} + (negative ? 1 : 0));
  if (!value) {
    const bool is_number = !digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos;
    throw UsageError(std::string(option) + ": the bound " + Quoted(gbk) +
                     (is_number ? " lies outside -2147483648..2147483647" : " is not a whole number"));
  }
}

RangeTexts Range(std::string_view option, const std::string& gbk) {
  // The first '-' separates the bounds, so a negative high bound can follow it ("1--5"); a low bound below 0
  // counts as 0 anyway.
  const std::size_t dash = gbk.find('-');
  if (dash == std::string::npos) throw UsageError(std::string(option) + " expects LOW-HIGH, not " + Quoted(gbk));
  RangeTexts range{gbk.substr(0, dash), gbk.substr(dash + 1)};
  CheckBound(option, range.low);
  CheckBound(option, range.high);
  return range;
}

class Parser {
 public:
  Parser(std::span<const char* const> arguments, ArgumentBytes bytes) : arguments_(arguments), bytes_(bytes) {}

  Options Parse(bool progress_default) {
    Options o;
    o.progress = progress_default;
    bool count_given = false, encoding_given = false;
    bool ranges_given = false, communities_given = false;
    for (next_ = 0; next_ < arguments_.size();) {
      std::string_view word = arguments_[next_++];
      std::optional<std::string_view> inline_value;
      if (const std::size_t equals = word.find('='); word.starts_with("--") && equals != std::string_view::npos) {
        inline_value = word.substr(equals + 1);
        word = word.substr(0, equals);
      }
      name_ = std::string(word);
      inline_value_ = inline_value;
      Once(name_);
      if (word == "--help" || word == "--version" || word == "--unique" || word == "--progress") {
        if (inline_value) throw UsageError(name_ + " takes no value");
        if (word == "--help") o.help = true;
        if (word == "--version") o.version = true;
        if (word == "--unique") o.unique = true;
        if (word == "--progress") o.progress = true;
      } else if (word == "--regions") {
        // The filter is optional: it is the next word only when that is not an option.
        const bool value_follows = inline_value || (next_ < arguments_.size() &&
                                                    !std::string_view(arguments_[next_]).starts_with("-"));
        o.regions = value_follows ? Gbk(Value()) : std::string();
        // Division names are compared as GBK; bytes that are neither UTF-8 nor GBK name none of them.
        if (std::string utf8; !AppendGbkAsUtf8(*o.regions, utf8)) {
          throw UsageError("--regions: the filter is neither UTF-8 nor GBK");
        }
      } else if (word == "--count") {
        const auto count = Decimal(Value(), kMostRows);
        if (!count || *count == 0) throw UsageError("--count expects a number of rows from 1 to 100000000, not " +
                                                    Shown(Value()));
        o.count = static_cast<std::uint32_t>(*count);
        count_given = true;
      } else if (word == "--seed") {
        const auto seed = Decimal(Value(), 4294967295u);
        if (!seed) throw UsageError("--seed expects a number from 0 to 4294967295, not " + Shown(Value()));
        o.seed = static_cast<std::uint32_t>(*seed);
      } else if (word == "--out") {
        if (Value().empty()) throw UsageError("--out expects a file name");
        o.out = std::string(Value());
      } else if (word == "--format") {
        const std::string_view v = Value();
        if (v == "text") o.format = Format::kText;
        else if (v == "csv") o.format = Format::kCsv;
        else if (v == "jsonl") o.format = Format::kJsonl;
        else throw UsageError("--format expects text, csv or jsonl, not " + Shown(v));
      } else if (word == "--encoding") {
        const std::string_view v = Value();
        if (v == "gbk") o.encoding = Encoding::kGbk;
        else if (v == "utf-8") o.encoding = Encoding::kUtf8;
        else if (v == "utf-8-bom") o.encoding = Encoding::kUtf8Bom;
        else throw UsageError("--encoding expects gbk, utf-8 or utf-8-bom, not " + Shown(v));
        encoding_given = true;
      } else if (word == "--prefix") {
        o.prefix = Gbk(Value());
      } else if (word == "--roads" || word == "--communities") {
        if (Value().empty()) throw UsageError(name_ + " expects a file name");
        (word == "--roads" ? o.roads_file : o.communities_file) = std::string(Value());
        if (word == "--communities") communities_given = true;
      } else if (word == "--house" || word == "--building" || word == "--unit" || word == "--room") {
        RangeTexts range = Range(name_, Gbk(Value()));
        (word == "--house" ? o.house : word == "--building" ? o.building : word == "--unit" ? o.unit : o.room) =
            std::move(range);
        ranges_given = true;
      } else if (word.starts_with("-")) {
        throw UsageError("unknown option " + Shown(word) + " (see --help)");
      } else {
        throw UsageError("unexpected argument " + Shown(word) + " (see --help)");
      }
    }
    if (o.help || o.version) return o;
    if (!count_given) throw UsageError("--count is required (see --help)");
    if (o.roads_file.empty() != !communities_given) throw UsageError("--roads and --communities go together");
    if (ranges_given && !o.Manual()) {
      throw UsageError("--house, --building, --unit and --room need --roads and --communities");
    }
    if (o.format == Format::kJsonl && encoding_given && o.encoding != Encoding::kUtf8) {
      throw UsageError("jsonl is always UTF-8 without a byte-order mark; leave out --encoding or give utf-8");
    }
    return o;
  }

 private:
  void Once(const std::string& name) {
    if (seen_.find(" " + name + " ") != std::string::npos) throw UsageError(name + " is given twice");
    seen_ += " " + name + " ";
  }

  std::string_view Value() {
    if (inline_value_) return *inline_value_;
    if (next_ >= arguments_.size()) throw UsageError(name_ + " expects a value");
    inline_value_ = arguments_[next_++];
    return *inline_value_;
  }

  // A word of the command line as a message quotes it.
  std::string Shown(std::string_view text) const {
    return Quoted(bytes_ == ArgumentBytes::kGbk ? std::string(text) : GbkForMessage(text));
  }

  std::string Gbk(std::string_view text) {
    if (bytes_ == ArgumentBytes::kGbk) return std::string(text);
    std::optional<std::string> gbk = AsGbk(text);
    if (!gbk) throw UsageError(name_ + ": " + Shown(text) + " holds a character that GBK cannot hold");
    return *std::move(gbk);
  }

  std::span<const char* const> arguments_;
  ArgumentBytes bytes_;
  std::size_t next_ = 0;
  std::string name_;
  std::optional<std::string_view> inline_value_;
  std::string seen_;
};

}  // namespace

Options ParseOptions(std::span<const char* const> arguments, ArgumentBytes bytes, bool progress_default) {
  return Parser(arguments, bytes).Parse(progress_default);
}

std::optional<std::string> AsGbk(std::string_view bytes) {
  if (!IsUtf8(bytes)) return std::string(bytes);
  std::string gbk;
  if (!Utf8ToGbk(bytes, gbk)) return std::nullopt;
  return gbk;
}

std::string GbkForMessage(std::string_view bytes) {
  if (!IsUtf8(bytes)) return std::string(bytes);
  std::string gbk;
  for (std::size_t at = 0; at < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (!Utf8ToGbk(bytes.substr(at, length), gbk)) gbk.push_back('?');
    at += length;
  }
  return gbk;
}

std::string_view HelpText() {
  return "Usage: quarrow-batch --count N [options]\n"
         "Writes N fictitious Chinese street addresses, the same as the Quarrow window makes them.\n"
         "\n"
         "  --count N            rows to write, 1 to 100000000 (required)\n"
         "  --seed S             random seed, 0 to 4294967295 (default: from the clock)\n"
         "  --out FILE           write to FILE, replaced only when complete (default: standard output)\n"
         "  --format F           text (as the window exports), csv or jsonl (default: text)\n"
         "  --encoding E         gbk, utf-8 or utf-8-bom (default: gbk; jsonl is always UTF-8)\n"
         "  --prefix TEXT        put TEXT in front of every address\n"
         "  --roads FILE         road names, one per line (UTF-8 or GBK); with --communities: manual mode\n"
         "  --communities FILE   community names, one per line\n"
         "  --house A-B          house-number range (manual mode; default 1-99), likewise\n"
         "  --building A-B, --unit A-B, --room A-B\n"
         "  --regions [FILTER]   put a real province, city and county-level division, with its code, in front\n"
         "                       of every address, each division as likely; FILTER keeps those under a name\n"
         "                       (江苏省, 南京市, 江苏省南京市) or a code prefix (32, 3201), several separated by commas\n"
         "  --unique             no two rows share an address\n"
         "  --progress           show progress on standard error (default when it is a terminal)\n"
         "  --help, --version\n"
         "\n"
         "Exit codes: 0 every row written, 1 the output could not be written, 2 bad input.\n";
}

}  // namespace quarrow::batch
