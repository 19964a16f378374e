// A road or community list file from arbitrary bytes: a refusal is a UsageError naming the file; every name kept
// is valid GBK, not blank, with no zero byte or line end, and stands in the file (as UTF-8 when the file is UTF-8);
// and a UTF-8 file reads as the same names as its GBK form, unless that form happens to be UTF-8 too.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch_options.h"
#include "batch/name_list_file.h"
#include "conversions/gbk_unicode.h"
#include "tests/fuzz/gbk_texts.h"

namespace {

using namespace quarrow;
using namespace quarrow::batch;

constexpr std::string_view kFileName = "names.txt";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::optional<std::vector<std::string>> Parse(std::string_view bytes) {
  try {
    return ParseNameList(bytes, kFileName);
  } catch (const UsageError& e) {
    if (!std::string_view(e.what()).starts_with(kFileName)) std::abort();
    return std::nullopt;
  }
}

void CheckName(const std::string& name, std::string_view file, bool utf8_file) {
  if (name.find_first_not_of(" \t") == std::string::npos) std::abort();
  if (name.find('\0') != std::string::npos || name.find('\n') != std::string::npos) std::abort();
  std::string utf8;
  if (!AppendGbkAsUtf8(name, utf8)) std::abort();
  if (file.find(utf8_file ? utf8 : name) == std::string_view::npos) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  quarrow::fuzzing::CheckGbkCopies();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A block of the input's own size, so that a read past its end leaves the block.
  const std::vector<char> block(data, data + size);
  const std::string_view file(block.data(), block.size());
  const std::optional<std::vector<std::string>> names = Parse(file);
  const bool utf8_file = IsUtf8(file);
  if (names) {
    std::size_t lines = 1;
    for (const char c : file) lines += c == '\n';
    if (names->size() > lines) std::abort();
    for (const std::string& name : *names) CheckName(name, file, utf8_file);
  }

  if (!utf8_file) return 0;
  std::string_view text = file;
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  std::string gbk;
  if (!Utf8ToGbk(text, gbk) || (IsUtf8(gbk) && gbk != text)) return 0;
  const std::optional<std::vector<std::string>> gbk_names = Parse(gbk);
  if (names.has_value() != gbk_names.has_value() || (names && *names != *gbk_names)) std::abort();
  return 0;
}
