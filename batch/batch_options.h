// The batch program's command line: what to make, how many, and where to write it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "batch/columns.h"

namespace quarrow::batch {

enum class Format { kText, kCsv, kJsonl, kSql };
// window: the window's automatic and manual modes, byte for byte; real: addresses that read like real ones.
enum class Style { kWindow, kReal };
enum class Encoding { kGbk, kUtf8, kUtf8Bom };

// A range as typed, "LOW-HIGH": each side a GBK text read the way the window reads its min and max boxes.
struct RangeTexts {
  std::string low, high;
};

// The window's initial values in every min/max pair, which its manual mode takes where no range is given.
inline const RangeTexts kDefaultRange = {"1", "99"};

// Rows first to last of a run, both written, numbered from 1.
struct RowSpan {
  std::uint64_t first = 1, last = 0;
};

// The K-th of N equal, consecutive parts of a run.
struct Shard {
  std::uint32_t k = 1, n = 1;
};

inline constexpr std::uint64_t kMostRows = 1'000'000'000'000;
inline constexpr std::uint64_t kMostUniqueRows = 100'000'000;

struct Options {
  std::uint64_t count = 0;
  std::optional<std::uint32_t> seed;
  std::string out;  // empty: standard output
  Format format = Format::kText;
  Encoding encoding = Encoding::kGbk;
  std::string prefix;  // GBK
  std::string roads_file, communities_file;
  std::optional<RangeTexts> house, building, unit, room;
  Style style = Style::kWindow;
  HeaderNames header = HeaderNames::kChinese;
  std::string table = "addresses";  // sql
  bool create_table = false;
  // A part of the run: --rows A-B or --shard K/N. The prelude (byte-order mark, csv header, CREATE TABLE) comes
  // only in the part that holds row 1, so that the parts put together are the whole run, unless every part is to
  // stand alone; its sql statements then also end within it.
  std::optional<RowSpan> rows;
  std::optional<Shard> shard;
  bool standalone_parts = false;
  std::optional<std::string> regions;  // the --regions filter, GBK; empty for every region
  bool unique = false;
  bool progress = false;
  bool help = false;
  bool version = false;

  // The window's manual mode: names from both lists, numbers from the ranges.
  bool Manual() const { return style == Style::kWindow && !roads_file.empty(); }
  // The rows this run writes, of the whole run's.
  RowSpan Part() const;
};

// Bad input: one message for standard error, and exit code 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Texts given on the command line as the program receives them: GBK under Windows (the ANSI code page 936);
// elsewhere UTF-8, or GBK when the bytes are not UTF-8.
enum class ArgumentBytes { kGbk, kUtf8OrGbk };

// Throws UsageError. `progress_default` is whether progress is shown without --progress.
Options ParseOptions(std::span<const char* const> arguments, ArgumentBytes bytes, bool progress_default);

// A text as GBK by the rule lists and arguments share: UTF-8 when the bytes are UTF-8, else GBK as they are.
// Nothing when the text is UTF-8 with a character GBK lacks.
std::optional<std::string> AsGbk(std::string_view bytes);

// Whether the text holds a control character other than a tab, which would break the row it stands in. A GBK trail
// byte is never below 0x40.
bool HoldsControl(std::string_view text);

// A text of the user's (a word of the command line, a file's name) as GBK for a message, which is GBK like every
// text of the program: UTF-8 converted, with '?' for each character GBK lacks; other bytes as they are.
std::string GbkForMessage(std::string_view bytes);

std::string_view HelpText();

}  // namespace quarrow::batch
