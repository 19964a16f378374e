#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>

#include "batch/output_target.h"
#include "commands/temporary_names.h"
#include "conversions/gbk_unicode.h"

namespace quarrow::batch {

namespace {

std::string Reason() { return std::strerror(errno); }

void WriteAll(int fd, std::string_view bytes, const std::string& name) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) throw WriteError("cannot write " + name + ": " + (written < 0 ? Reason() : "nothing written"));
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

class StandardOutput final : public OutputTarget {
 public:
  void Write(std::string_view bytes) override { WriteAll(STDOUT_FILENO, bytes, "standard output"); }
  void Commit() override {}
};

// The temporary that an interrupt (Ctrl+C, a plain kill, a hang-up) removes before the process ends. A signal
// handler can reach nothing else, so this is the one place of the program that holds state outside its objects.
char g_interrupted_temporary[4096];

extern "C" void RemoveTemporaryAndEnd(int signal_number) {
  if (g_interrupted_temporary[0] != '\0') ::unlink(g_interrupted_temporary);
  ::signal(signal_number, SIG_DFL);
  ::raise(signal_number);
}

// Temporaries of this target that runs left behind when they were killed outright. A run holds a lock on its
// temporary while it writes, so one that can be locked has no writer any more.
void RemoveStaleTemporaries(const std::string& folder, const std::string& stem) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    if (!IsTemporaryOf(stem, entry->d_name)) continue;
    const std::string name = folder + entry->d_name;
    const int fd = ::open(name.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) continue;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) ::unlink(name.c_str());
    ::close(fd);
  }
  ::closedir(dir);
}

class Replacement final : public OutputTarget {
 public:
  explicit Replacement(const std::string& path) : target_(path) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty()) throw WriteError("cannot write " + path + ": it names a folder, not a file");
    struct stat existing;
    if (::stat(path.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) {
      throw WriteError("cannot write " + path + ": it is a folder");
    }
    const std::string stem = TemporaryStem(name);
    RemoveStaleTemporaries(folder, stem);
    std::uint32_t attempt = static_cast<std::uint32_t>(::getpid()) * 0x9E3779B1u;
    for (int tries = 0; fd_ < 0 && tries < 64; ++tries) {
      attempt = attempt * 1664525u + 1013904223u;
      temporary_ = folder + TemporaryName(stem, attempt);
      fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) throw WriteError("cannot write " + path + ": " + Reason());
    ::flock(fd_, LOCK_EX);
    if (temporary_.size() < sizeof g_interrupted_temporary) {
      std::memcpy(g_interrupted_temporary, temporary_.c_str(), temporary_.size() + 1);
      for (const int s : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) ::signal(s, RemoveTemporaryAndEnd);
    }
  }

  ~Replacement() override {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_) ::unlink(temporary_.c_str());
    g_interrupted_temporary[0] = '\0';
  }

  void Write(std::string_view bytes) override {
    WriteAll(fd_, bytes, target_);
    written_ += bytes.size();
#ifdef __linux__
    // The disk starts on what is written while the next rows are made, so that the flush at the end waits only
    // for the last of them, not for the whole file. Only a start: the flush still decides success.
    constexpr std::uint64_t kStartEvery = std::uint64_t{8} << 20;
    if (written_ - started_ >= kStartEvery) {
      ::sync_file_range(fd_, static_cast<off64_t>(started_), static_cast<off64_t>(written_ - started_),
                        SYNC_FILE_RANGE_WRITE);
      started_ = written_;
    }
#endif
  }

  void Commit() override {
    if (::fsync(fd_) != 0) throw WriteError("cannot write " + target_ + ": " + Reason());
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) throw WriteError("cannot write " + target_ + ": " + Reason());
    // The temporary has the target's permissions of a new file; an existing target's are kept.
    struct stat existing;
    if (::stat(target_.c_str(), &existing) == 0) ::chmod(temporary_.c_str(), existing.st_mode & 07777);
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
      throw WriteError("cannot write " + target_ + ": " + Reason());
    }
    committed_ = true;
  }

 private:
  std::string target_;
  std::string temporary_;
  int fd_ = -1;
  bool committed_ = false;
  std::uint64_t written_ = 0;
  std::uint64_t started_ = 0;  // the disk has been asked to write everything before this
};

}  // namespace

std::unique_ptr<OutputTarget> OpenStandardOutput() { return std::make_unique<StandardOutput>(); }
std::unique_ptr<OutputTarget> OpenReplacement(const std::string& path) { return std::make_unique<Replacement>(path); }
bool StandardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

std::string ConsoleText(std::string_view gbk) {
  std::string utf8;
  return AppendGbkAsUtf8(gbk, utf8) ? utf8 : std::string(gbk);
}

}  // namespace quarrow::batch
