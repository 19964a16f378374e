#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/magic.h>
#include <sys/vfs.h>
#endif

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

#include "batch/interruption.h"
#include "batch/batch_options.h"
#include "batch/output_target.h"
#include "commands/replacement_policy.h"
#include "commands/temporary_names.h"
#include "conversions/gbk_unicode.h"

namespace quarrow::batch {

namespace {

// As many links as the system itself follows in one name before it gives up.
constexpr int kMostLinks = 40;

std::string Reason(int error) { return std::strerror(error); }

// Messages are GBK, as the program's texts are; the name was typed in the system's UTF-8.
[[noreturn]] void Refuse(const std::string& shown, const std::string& reason) {
  throw WriteError("cannot write " + GbkForMessage(shown) + ": " + reason);
}

class Descriptor {
 public:
  Descriptor() = default;
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Descriptor& operator=(Descriptor&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.fd_, -1));
    return *this;
  }
  ~Descriptor() { Reset(); }

  int Get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  // 0, or the failure the system reports on closing: a write it had held back. After EINTR the descriptor is
  // closed all the same, and nothing was lost.
  int Close() {
    const int fd = std::exchange(fd_, -1);
    return fd < 0 || ::close(fd) == 0 || errno == EINTR ? 0 : errno;
  }
  void Reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

 private:
  int fd_ = -1;
};

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// What every target does with its bytes, and with an interrupt: Abandon removes what the target left unfinished
// before the process ends.
class DescriptorOutput : public OutputTarget {
 protected:
  explicit DescriptorOutput(std::string shown) : shown_(std::move(shown)) {}
  virtual void Abandon() {}

  void EndIfInterrupted() {
    if (!Interrupted()) return;
    Abandon();
    EndAsInterrupted();
  }

  [[noreturn]] void Fail(int error) const { Refuse(shown_, Reason(error)); }

  void WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
      // Also between the pieces of a write that a signal cut short: the next piece could wait for ever.
      EndIfInterrupted();
      const ssize_t written = ::write(fd, bytes.data(), bytes.size());
      if (written > 0) {
        bytes.remove_prefix(static_cast<std::size_t>(written));
        continue;
      }
      const int error = written < 0 ? errno : 0;
      // A signal stops a write that waits for a slow reader (EINTR), and comes with a write to a pipe whose
      // reader has gone (EPIPE).
      EndIfInterrupted();
      if (error == EINTR) continue;
      if (error == EPIPE) EndOnBrokenPipe();
      if (error == 0) Refuse(shown_, "nothing written");
      Fail(error);
    }
    EndIfInterrupted();
  }

  const std::string shown_;  // the name the user gave, for messages
};

class StandardOutput final : public DescriptorOutput {
 public:
  StandardOutput() : DescriptorOutput("standard output") {}
  void Write(std::string_view bytes) override { WriteAll(STDOUT_FILENO, bytes); }
  void Commit() override { EndIfInterrupted(); }
};

// A device, a FIFO, a socket, or a name for a file that a process holds open: written where it stands, as a
// shell's redirection writes it. It has no contents to keep, so no temporary; the writes' own errors decide.
class DirectOutput final : public DescriptorOutput {
 public:
  DirectOutput(const std::string& path, const struct stat& status, int flags)
      : DescriptorOutput(path), block_device_(S_ISBLK(status.st_mode)) {
    file_ = S_ISSOCK(status.st_mode) ? Connect(path) : Open(path, flags);
  }
  void Write(std::string_view bytes) override { WriteAll(file_.Get(), bytes); }
  void Commit() override {
    EndIfInterrupted();
    // A disk written as a device holds what it was given only once it is flushed.
    if (block_device_ && ::fsync(file_.Get()) != 0) Fail(errno);
    if (const int error = file_.Close()) Fail(error);
  }

 private:
  Descriptor Open(const std::string& path, int flags) {
    for (;;) {
      const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | flags);
      if (fd >= 0) return Descriptor(fd);
      const int error = errno;
      EndIfInterrupted();  // a FIFO's open waits for a reader
      if (error != EINTR) Fail(error);
    }
  }

  Descriptor Connect(const std::string& path) {
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) Fail(ENAMETOOLONG);
    std::memcpy(address.sun_path, path.data(), path.size());
    Descriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!socket) Fail(errno);
    if (::connect(socket.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
      const int error = errno;
      EndIfInterrupted();
      Fail(error);
    }
    return socket;
  }

  Descriptor file_;
  bool block_device_;
};

// Whether `folder` is in /proc, whose links name what a process holds open rather than a place in a folder.
bool IsProcessFolder(const std::string& folder) {
#ifdef __linux__
  struct statfs system;
  return ::statfs(folder.empty() ? "." : folder.c_str(), &system) == 0 && system.f_type == PROC_SUPER_MAGIC;
#else
  (void)folder;
  return false;
#endif
}

std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('/') + 1); }

std::string ReadLink(const std::string& shown, const std::string& link) {
  std::string buffer(256, '\0');
  for (;;) {
    const ssize_t length = ::readlink(link.c_str(), buffer.data(), buffer.size());
    if (length < 0) Refuse(shown, Reason(errno));
    if (static_cast<std::size_t>(length) < buffer.size()) {
      buffer.resize(static_cast<std::size_t>(length));
      return buffer;
    }
    buffer.resize(buffer.size() * 2);
  }
}

// Where a write to `shown` stores its file: that name, or where its symbolic links lead, so that a link stays a
// link and the file it names is the one replaced. A link in /proc (/dev/stdout leads to one) stands for a file
// that a process has open, which is written where it stands instead: `open_file`.
struct Followed {
  std::string path;
  bool open_file = false;
};

Followed FollowLinks(const std::string& shown) {
  std::string path = shown;
  for (int links = 0;; ++links) {
    struct stat status;
    if (::lstat(path.c_str(), &status) != 0) {
      if (errno == ENOENT) return {path};  // a link that leads to no file yet: the file is made where it leads
      Refuse(shown, Reason(errno));
    }
    if (!S_ISLNK(status.st_mode)) return {path};
    const std::string folder = FolderOf(path);
    if (IsProcessFolder(folder)) return {path, true};
    if (links == kMostLinks) Refuse(shown, Reason(ELOOP));
    const std::string leads_to = ReadLink(shown, path);
    path = !leads_to.empty() && leads_to.front() == '/' ? leads_to : folder + leads_to;
  }
}

// Temporaries of this target that runs left behind when they were killed outright. A running write holds the lock
// of its temporary from before the name is its own until the name is the target's, so one that can be locked has
// no writer any more. The folder is listed only where the user may read it (a drop folder cannot be).
void RemoveStaleTemporaries(int folder, const std::string& stem) {
  const int listing = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (listing < 0) return;
  DIR* dir = ::fdopendir(listing);
  if (dir == nullptr) {
    ::close(listing);
    return;
  }
  while (const dirent* entry = ::readdir(dir)) {
    struct stat listed;
    // The name first: it costs no system call.
    if (!IsTemporaryOf(stem, entry->d_name) || ::fstatat(folder, entry->d_name, &listed, AT_SYMLINK_NOFOLLOW) != 0) {
      continue;
    }
    if (!MayBeStaleTemporary(stem, {entry->d_name, S_ISREG(listed.st_mode) != 0, (listed.st_mode & 0222) == 0})) {
      continue;
    }
    const Descriptor file(::openat(folder, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat opened;
    if (file && ::fstat(file.Get(), &opened) == 0 && SameFile(opened, listed) &&
        ::flock(file.Get(), LOCK_EX | LOCK_NB) == 0) {
      ::unlinkat(folder, entry->d_name, 0);
    }
  }
  ::closedir(dir);
}

// A file replaced as a whole: the rows go to a temporary beside it (~qrw….tmp), which takes its place only once
// every byte is written and flushed, keeping the file's mode and, where the process may give them, its owner and
// group. Every step goes through the folder as it was opened, even if it is renamed meanwhile.
class Replacement final : public DescriptorOutput {
 public:
  Replacement(const std::string& shown, const std::string& path, const struct stat* existing)
      : DescriptorOutput(shown) {
    const std::size_t slash = path.rfind('/');
    target_ = slash == std::string::npos ? path : path.substr(slash + 1);
    if (target_.empty()) Refuse(shown, "it names a folder, not a file");
    folder_.Reset(::open(slash == std::string::npos ? "." : path.substr(0, slash + 1).c_str(),
                         O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!folder_) Fail(errno);
    if (existing != nullptr) existing_ = *existing;
    const std::string stem = TemporaryStem(target_);
    RemoveStaleTemporaries(folder_.Get(), stem);
    // The temporary of an existing file is the user's alone until it takes the file's mode; a new file gets what
    // the user's umask gives it.
    CreateTemporary(stem, existing != nullptr ? 0600 : 0666);
  }

  ~Replacement() override { Abandon(); }

  void Write(std::string_view bytes) override {
    WriteAll(file_.Get(), bytes);
    written_ += bytes.size();
#ifdef __linux__
    // The disk starts on what is written while the next rows are made, so that the flush at the end waits only
    // for the last of them, not for the whole file. Only a start: the flush still decides success.
    constexpr std::uint64_t kStartEvery = std::uint64_t{8} << 20;
    if (written_ - started_ >= kStartEvery) {
      ::sync_file_range(file_.Get(), static_cast<off64_t>(started_), static_cast<off64_t>(written_ - started_),
                        SYNC_FILE_RANGE_WRITE);
      started_ = written_;
    }
#endif
  }

  void Commit() override {
    EndIfInterrupted();
    if (existing_) KeepAttributes(*existing_);
    if (::fsync(file_.Get()) != 0) Fail(errno);
    EndIfInterrupted();  // the flush may have taken long
    // Still locked while it moves: a clean-up of another run never takes it for a leftover.
    if (::renameat(folder_.Get(), temporary_.c_str(), folder_.Get(), target_.c_str()) != 0) Fail(errno);
    temporary_.clear();
    // The rename is on the disk only once the folder is. A file system that cannot flush a folder says EINVAL;
    // a folder the user may not read cannot be opened to be flushed at all.
    if (const Descriptor folder(::openat(folder_.Get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        folder && ::fsync(folder.Get()) != 0 && errno != EINVAL) {
      Fail(errno);
    }
    if (const int error = file_.Close()) Fail(error);
  }

 private:
  void Abandon() override {
    file_.Reset();
    if (!temporary_.empty()) ::unlinkat(folder_.Get(), temporary_.c_str(), 0);
    temporary_.clear();
  }

  void CreateTemporary(const std::string& stem, mode_t mode) {
    std::uint32_t attempt = static_cast<std::uint32_t>(::getpid()) * 0x9E3779B1u ^
                            static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (int tries = 0; tries < kTemporaryNameAttempts; ++tries) {
      attempt = NextTemporaryAttempt(attempt);
      const std::string name = TemporaryName(stem, attempt);
      Descriptor file(
          ::openat(folder_.Get(), name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
      if (!file) {
        if (errno == EEXIST) continue;
        Fail(errno);
      }
      // Between the create and the lock, another run's clean-up may have taken the new file for a leftover and
      // removed it (or holds it to remove it): the name is this run's only if it still names this file once the
      // lock is held. Where the file system has no locks, no clean-up can lock a file either, and none removes one.
      if (::flock(file.Get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) continue;
      struct stat named, opened;
      if (::fstatat(folder_.Get(), name.c_str(), &named, AT_SYMLINK_NOFOLLOW) != 0 ||
          ::fstat(file.Get(), &opened) != 0 || !SameFile(named, opened)) {
        continue;
      }
      temporary_ = name;
      file_ = std::move(file);
      return;
    }
    Fail(EEXIST);
  }

  // What cannot be kept gives no one more rights than before: without the owner no set-user-id, without the
  // group no set-group-id, and the new group may do no more than anyone may.
  void KeepAttributes(const struct stat& old) {
    const int fd = file_.Get();
    struct stat now;
    if (::fstat(fd, &now) != 0) Fail(errno);
    mode_t mode = old.st_mode & 07777;
    if (now.st_uid != old.st_uid && ::fchown(fd, old.st_uid, static_cast<gid_t>(-1)) != 0) mode &= ~S_ISUID;
    if (now.st_gid != old.st_gid && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
      mode &= ~S_ISGID;
      mode = (mode & ~S_IRWXG) | (mode & S_IRWXG & ((mode & S_IRWXO) << 3));
    }
    if (::fchmod(fd, mode) != 0) Fail(errno);
  }

  Descriptor folder_;
  std::string target_;     // its name in the folder
  std::string temporary_;  // the temporary's name there; empty before it exists and once it is the target
  Descriptor file_;
  std::optional<struct stat> existing_;
  std::uint64_t written_ = 0;
  std::uint64_t started_ = 0;  // the disk has been asked to write everything before this
};

TargetKind KindOf(mode_t mode) {
  if (S_ISREG(mode)) return TargetKind::kFile;
  if (S_ISDIR(mode)) return TargetKind::kFolder;
  return TargetKind::kDevice;
}

}  // namespace

std::unique_ptr<OutputTarget> OpenStandardOutput() { return std::make_unique<StandardOutput>(); }

std::unique_ptr<OutputTarget> OpenFile(const std::string& path) {
  struct stat status = {};
  TargetKind kind = TargetKind::kMissing;
  if (::stat(path.c_str(), &status) == 0) {
    kind = KindOf(status.st_mode);
  } else if (errno != ENOENT) {
    Refuse(path, Reason(errno));
  }
  const Followed followed = kind == TargetKind::kDevice ? Followed{path} : FollowLinks(path);
  if (followed.open_file) return std::make_unique<DirectOutput>(path, status, O_APPEND);
  // The effective user's rights, as opening the file would ask them; root may write any file.
  const bool writable =
      kind != TargetKind::kFile || ::faccessat(AT_FDCWD, followed.path.c_str(), W_OK, AT_EACCESS) == 0;
  const int refusal = errno;
  switch (ChooseTargetWay(kind, writable)) {
    case TargetWay::kWriteDirectly:
      return std::make_unique<DirectOutput>(path, status, 0);
    case TargetWay::kRefuseFolder:
      Refuse(path, "it is a folder");
    case TargetWay::kRefuseUnwritable:
      Refuse(path, Reason(refusal));
    case TargetWay::kReplace:
      break;
  }
  return std::make_unique<Replacement>(path, followed.path, kind == TargetKind::kFile ? &status : nullptr);
}

bool StandardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

std::string ConsoleText(std::string_view gbk) {
  std::string utf8;
  return AppendGbkAsUtf8(gbk, utf8) ? utf8 : std::string(gbk);
}

}  // namespace quarrow::batch
