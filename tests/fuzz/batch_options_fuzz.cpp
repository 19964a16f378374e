// The batch program's command line from arbitrary arguments (the input split at its zero bytes), read as Windows
// gives them (GBK) and as Linux does (UTF-8, or GBK when not UTF-8): a refusal is a UsageError with a message,
// options accepted hold together, and arguments typed in UTF-8 mean on Linux what their GBK form means on Windows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "batch/batch_options.h"
#include "conversions/gbk_unicode.h"
#include "tests/fuzz/fuzz_text.h"
#include "tests/fuzz/gbk_texts.h"

namespace {

using namespace quarrow;
using namespace quarrow::batch;

// The options, or nothing when they are refused. Each argument is in a block of its own, so that a read past its
// terminator leaves the block.
std::optional<Options> Parse(const std::vector<fuzzing::FuzzText>& texts, ArgumentBytes bytes) {
  std::vector<const char*> arguments;
  for (const fuzzing::FuzzText& text : texts) arguments.push_back(text.Get());
  try {
    return ParseOptions(arguments, bytes, true);
  } catch (const UsageError& e) {
    if (*e.what() == '\0') std::abort();
    return std::nullopt;
  }
}

void CheckAccepted(const Options& o) {
  if (o.help || o.version) return;
  if (o.count < 1 || o.count > kMostRows) std::abort();
  // The window style's ranges are its manual mode's, which takes both lists; real style takes each on its own.
  if (o.style == Style::kWindow) {
    if (o.roads_file.empty() != o.communities_file.empty()) std::abort();
    if (!o.Manual() && (o.house || o.building || o.unit || o.room)) std::abort();
  }
  const RowSpan part = o.Part();
  if (part.first < 1 || part.last > o.count || (o.unique && (o.rows || o.shard))) std::abort();
  if (o.format == Format::kJsonl && o.encoding == Encoding::kUtf8Bom) std::abort();
  // The region filter is compared with the divisions' GBK names.
  if (std::string utf8; o.regions && !AppendGbkAsUtf8(*o.regions, utf8)) std::abort();
}

bool SameRange(const std::optional<RangeTexts>& a, const std::optional<RangeTexts>& b) {
  return a.has_value() == b.has_value() && (!a || (a->low == b->low && a->high == b->high));
}

// File names are passed on as the bytes they were given in; the texts are GBK either way.
bool SameMeaning(const Options& utf8, const Options& gbk) {
  std::string out, roads, communities;
  if (!Utf8ToGbk(utf8.out, out) || !Utf8ToGbk(utf8.roads_file, roads) ||
      !Utf8ToGbk(utf8.communities_file, communities)) {
    return false;
  }
  return utf8.count == gbk.count && utf8.seed == gbk.seed && out == gbk.out && utf8.format == gbk.format &&
         utf8.encoding == gbk.encoding && utf8.prefix == gbk.prefix && roads == gbk.roads_file &&
         communities == gbk.communities_file && SameRange(utf8.house, gbk.house) &&
         SameRange(utf8.building, gbk.building) && SameRange(utf8.unit, gbk.unit) &&
         SameRange(utf8.room, gbk.room) && utf8.regions == gbk.regions && utf8.unique == gbk.unique &&
         utf8.progress == gbk.progress && utf8.help == gbk.help && utf8.version == gbk.version &&
         utf8.style == gbk.style && utf8.header == gbk.header && utf8.table == gbk.table &&
         utf8.create_table == gbk.create_table && utf8.standalone_parts == gbk.standalone_parts &&
         utf8.Part().first == gbk.Part().first && utf8.Part().last == gbk.Part().last;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  quarrow::fuzzing::CheckGbkCopies();
  quarrow::fuzzing::RequireGbk(HelpText(), "the batch program's help");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<fuzzing::FuzzText> texts;
  for (std::size_t at = 0; at < size;) {
    texts.emplace_back(data + at, size - at);
    at += texts.back().length + 1;
    if (at == size) texts.emplace_back(data + at, 0);  // a zero at the end leaves an empty last argument
  }
  const std::optional<Options> on_linux = Parse(texts, ArgumentBytes::kUtf8OrGbk);
  const std::optional<Options> on_windows = Parse(texts, ArgumentBytes::kGbk);
  if (on_linux) CheckAccepted(*on_linux);
  if (on_windows) CheckAccepted(*on_windows);

  std::vector<fuzzing::FuzzText> gbk_texts;
  for (const fuzzing::FuzzText& text : texts) {
    std::string gbk;
    if (!Utf8ToGbk({text.Get(), text.length}, gbk)) return 0;
    gbk_texts.emplace_back(reinterpret_cast<const std::uint8_t*>(gbk.data()), gbk.size());
  }
  const std::optional<Options> typed_on_windows = Parse(gbk_texts, ArgumentBytes::kGbk);
  if (on_linux.has_value() != typed_on_windows.has_value()) std::abort();
  if (on_linux && !SameMeaning(*on_linux, *typed_on_windows)) std::abort();
  return 0;
}
