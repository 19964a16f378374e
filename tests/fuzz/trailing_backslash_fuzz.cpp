// WithTrailingBackslash on arbitrary bytes: it reads nothing outside the path, keeps the path as its prefix, adds
// at most one byte, leaves only the empty path without a backslash at its end, and changes nothing the second
// time for a path whose characters are whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "commands/shell_folders.h"

namespace {

bool EndsWithLoneLead(std::string_view path) {
  std::size_t i = 0;
  while (i < path.size()) i += static_cast<unsigned char>(path[i]) >= 0x80 ? 2 : 1;
  return i > path.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // An exact copy, so that a read past the end leaves the block.
  std::unique_ptr<char[]> bytes(new char[size ? size : 1]);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(data[i]);
  const std::string_view path(bytes.get(), size);

  const std::string result = quarrow::WithTrailingBackslash(path);
  if (result.compare(0, size, path) != 0 || result.size() > size + 1) std::abort();
  if (path.empty() != result.empty()) std::abort();
  if (!result.empty() && result.back() != '\\') std::abort();
  if (!EndsWithLoneLead(path) && quarrow::WithTrailingBackslash(result) != result) std::abort();
  return 0;
}
