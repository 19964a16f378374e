#include "batch/name_list_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "batch/batch_options.h"
#include "conversions/gbk_unicode.h"

namespace quarrow::batch {

namespace {

std::string ReadWholeFile(const std::string& path) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) throw UsageError("cannot read " + GbkForMessage(path) + ": " + std::strerror(errno));
  std::string bytes;
  char chunk[65536];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) bytes.append(chunk, got);
  if (std::ferror(file.get())) throw UsageError("cannot read " + GbkForMessage(path) + ": " + std::strerror(errno));
  return bytes;
}

bool Blank(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }



}  // namespace

std::vector<std::string> ReadNameList(const std::string& path) {
  return ParseNameList(ReadWholeFile(path), GbkForMessage(path));
}

std::vector<std::string> ParseNameList(std::string_view bytes, std::string_view file_name) {
  const bool utf8 = IsUtf8(bytes);
  std::string_view rest = bytes;
  if (utf8 && rest.starts_with("\xEF\xBB\xBF")) rest.remove_prefix(3);
  std::vector<std::string> names;
  std::string converted;
  for (std::size_t line_number = 1; !rest.empty(); ++line_number) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (Blank(line)) continue;
    const std::string where = std::string(file_name) + " line " + std::to_string(line_number) + ": ";
    // The window's texts end at a zero byte, so a name cannot hold one; a lone CR or another control character
    // would break the row it stands in.
    if (line.find('\0') != std::string_view::npos) throw UsageError(where + "the name holds a zero byte");
    if (HoldsControl(line)) throw UsageError(where + "the name holds a control character");
    if (utf8) {
      std::string gbk;
      if (!Utf8ToGbk(line, gbk)) throw UsageError(where + "the name holds a character that GBK cannot hold");
      names.push_back(std::move(gbk));
      continue;
    }
    // A broken GBK byte would run into the text written after the name ("路"), whatever the output's encoding.
    converted.clear();
    if (!AppendGbkAsUtf8(line, converted)) throw UsageError(where + "the name is neither UTF-8 nor valid GBK");
    names.emplace_back(line);
  }
  return names;
}

}  // namespace quarrow::batch
