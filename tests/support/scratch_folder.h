// Where tests put their files: a fresh folder in the system's temporary folder, removed with everything in it when
// the test (or, for TemporaryPath, the test program) ends; and the plain system calls that read and write them.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace quarrow::testing {

class ScratchFolder {
 public:
  // The folder's own name may carry any GBK text after a unique prefix.
  explicit ScratchFolder(const std::string& suffix = "");
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  bool Made() const { return made_; }
  // The folder's path, ending in "\".
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
  bool made_ = false;
};

// A fresh path (nothing there yet) in the test program's own scratch folder, which goes when the program ends.
std::string TemporaryPath(const std::string& stem);

// The names in a folder (ending in "\") that match the pattern, without "." and "..", sorted.
std::vector<std::string> NamesIn(const std::string& folder, const std::string& pattern = "*");
// Removes a folder (ending in "\") with everything in it, read-only files too.
void RemoveTree(const std::string& folder);
// A file's bytes, or nothing when it cannot be read.
std::optional<std::string> FileBytes(const std::string& path);
// Creates or replaces a file with the bytes by the plain system calls; false when that fails.
bool PutFile(const std::string& path, const std::string& bytes);

}  // namespace quarrow::testing
