// The runtime of the file command tests, initialised once from a small program header that names the core
// library and the OS interface library; and a scratch folder of its own for each test.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace quarrow::testing {

// A new, empty folder in the temporary directory, removed with everything in it when the test ends.
class ScratchFolder {
 public:
  // The folder's own name may carry any GBK text after a unique prefix.
  explicit ScratchFolder(const std::string& suffix = "");
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder's path, ending in "\".
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

// The names in a folder (without "." and ".."), sorted.
std::vector<std::string> NamesIn(const std::string& folder);
// A file's bytes, or nothing when it cannot be read.
std::optional<std::string> FileBytes(const std::string& path);
// Creates or replaces a file with the bytes by the plain system calls; false when that fails.
bool PutFile(const std::string& path, const std::string& bytes);

}  // namespace quarrow::testing
