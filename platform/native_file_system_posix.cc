#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "platform/interruption_cleanup.h"
#include "platform/native_file_system.h"

namespace trelvan {
namespace {

FileFailure FailureOf(int error) {
  FileProblem problem = FileProblem::kOther;
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      problem = FileProblem::kNotFound;
      break;
    case EACCES:
    case EPERM:
      problem = FileProblem::kAccessDenied;
      break;
    case EISDIR:
      problem = FileProblem::kIsDirectory;
      break;
    case ENOSPC:
      problem = FileProblem::kDiskFull;
      break;
    case EROFS:
      problem = FileProblem::kReadOnlyFileSystem;
      break;
    case EDQUOT:
      problem = FileProblem::kQuotaExceeded;
      break;
    case EIO:
      problem = FileProblem::kInputOutput;
      break;
    default:
      break;
  }
  return FileFailure{problem, std::strerror(error)};
}

FileFailure Failure(FileProblem problem, int error) {
  return FileFailure{problem, std::strerror(error)};
}

// The descriptor work shared by inputs and replacements.
template <typename Base>
class PosixFileOf : public Base {
 public:
  PosixFileOf(int fd, std::string path, FileId id) : fd_(fd), path_(std::move(path)), id_(id) {}
  ~PosixFileOf() override {
    if (fd_ >= 0) ::close(fd_);
  }

  std::size_t Read(void* buffer, std::size_t n) override {
    std::size_t done = 0;
    while (done < n) {
      const ssize_t got = ::read(fd_, static_cast<char*>(buffer) + done, n - done);
      if (got < 0) {
        if (errno == EINTR) continue;
        throw FileError(path_, FailureOf(errno));
      }
      if (got == 0) break;
      done += static_cast<std::size_t>(got);
    }
    return done;
  }

  std::size_t ReadAt(std::int64_t offset, void* buffer, std::size_t n) override {
    std::size_t done = 0;
    while (done < n) {
      const ssize_t got = ::pread(fd_, static_cast<char*>(buffer) + done, n - done,
                                  static_cast<off_t>(offset) + static_cast<off_t>(done));
      if (got < 0) {
        if (errno == EINTR) continue;
        throw FileError(path_, FailureOf(errno));
      }
      if (got == 0) break;
      done += static_cast<std::size_t>(got);
    }
    return done;
  }

  void Write(const void* data, std::size_t n) override {
    std::size_t done = 0;
    while (done < n) {
      const ssize_t put = ::write(fd_, static_cast<const char*>(data) + done, n - done);
      if (put < 0) {
        if (errno == EINTR) continue;
        throw FileError(path_, FailureOf(errno));
      }
      if (put == 0) throw FileError(path_, FailureOf(EIO));  // no progress: never loop forever
      done += static_cast<std::size_t>(put);
    }
  }

  std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override {
    const int whence = origin == SeekOrigin::kBegin ? SEEK_SET : SEEK_END;
    const off_t position = ::lseek(fd_, static_cast<off_t>(offset), whence);
    if (position < 0) throw FileError(path_, FailureOf(errno));
    return position;
  }

  void Close() override {
    const int fd = fd_;
    fd_ = -1;
    if (fd >= 0 && ::close(fd) != 0 && errno != EINTR) throw FileError(path_, FailureOf(errno));
  }

  const std::string& path() const override { return path_; }
  FileId id() const override { return id_; }

 protected:
  int fd_;
  std::string path_;
  FileId id_;
};

FileId IdOf(const struct stat& status) {
  return FileId{static_cast<std::uint64_t>(status.st_dev),
                static_cast<std::uint64_t>(status.st_ino)};
}

// A NUL inside a path would make the system see a shorter name: such a path names no file.
bool HasNul(const std::string& path) { return path.find('\0') != std::string::npos; }

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string NameOf(const std::string& path) { return path.substr(FolderOf(path).size()); }

// Names under these folders stand for devices and for the process's own streams
// (/dev/stdout, /proc/self/fd/1), whatever they lead to: never an output to replace.
bool IsStreamName(const std::string& path) {
  return path.compare(0, 5, "/dev/") == 0 || path.compare(0, 6, "/proc/") == 0;
}

// The file a chain of symbolic links ends at, whether it exists or not; `path` itself when it
// is no link. A loop ends after as many steps as the system allows. Sets `stream` when a name
// on the way names a device or stream.
std::string FollowLinks(std::string path, bool* stream) {
  *stream = IsStreamName(path);
  for (int step = 0; step < 40; ++step) {
    struct stat status;
    if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
    std::string target(static_cast<std::size_t>(status.st_size) + 256, '\0');
    const ssize_t length = ::readlink(path.c_str(), &target[0], target.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) return path;
    target.resize(static_cast<std::size_t>(length));
    path = target[0] == '/' ? target : FolderOf(path) + target;
    *stream = *stream || IsStreamName(path);
  }
  return path;
}

// Hidden names beside `path` that no other run uses: the process id and a counter.
std::string SiblingName(const std::string& path, const char* kind) {
  static std::atomic<unsigned> counter{0};
  return FolderOf(path) + "." + NameOf(path) + ".trelvan-" + kind + "-" +
         std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1));
}

// Creates a new file that did not exist, registered for removal on interruption before it
// exists, so that no moment leaves it unregistered; -1 with errno set otherwise.
int CreateNew(std::string* path, int* slot, const std::string& beside, const char* kind) {
  for (;;) {
    *path = SiblingName(beside, kind);
    *slot = interruption::Register(*path);
    const int fd = ::open(path->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    const int error = errno;
    interruption::Unregister(*slot);
    *slot = -1;
    errno = error;
    if (error != EEXIST) return -1;
  }
}

// Makes the folder's new entries durable; not every file system can, which is no error.
void SyncFolder(const std::string& path) {
  const std::string folder = FolderOf(path);
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// A second name for the file at `path`, by a hard link or, where the file system has none, by
// a copy. Returns false with errno set.
bool KeepCopy(const std::string& path, const std::string& keep) {
  if (::link(path.c_str(), keep.c_str()) == 0) return true;
  const int in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  const int out = ::open(keep.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  bool copied = out >= 0;
  char buffer[64 * 1024];
  while (copied) {
    const ssize_t got = ::read(in, buffer, sizeof buffer);
    if (got == 0) break;
    copied = got > 0 && ::write(out, buffer, static_cast<std::size_t>(got)) == got;
  }
  const int error = errno;
  ::close(in);
  if (out >= 0 && (::close(out) != 0 || !copied)) {
    ::unlink(keep.c_str());
    copied = false;
  }
  errno = error;
  return copied;
}

class PosixReplacement : public PosixFileOf<ReplacementFile> {
 public:
  PosixReplacement(int fd, const std::string& shown_path, std::string target, std::string temporary,
                   int temporary_slot, FileId id)
      : PosixFileOf(fd, shown_path, id),
        target_(std::move(target)),
        temporary_(std::move(temporary)),
        temporary_slot_(temporary_slot) {}

  ~PosixReplacement() override {
    if (!installed_) ::unlink(temporary_.c_str());
    interruption::Unregister(temporary_slot_);
    ForgetPrevious();
  }

  void Finish() override {
    if (::fsync(fd_) != 0 && errno != EINVAL) throw FileError(path_, FailureOf(errno));
    struct stat replaced;
    if (::stat(target_.c_str(), &replaced) == 0 && S_ISREG(replaced.st_mode)) {
      if (::fchmod(fd_, replaced.st_mode & 07777) != 0) throw FileError(path_, FailureOf(errno));
      // Only a privileged user can give the file away; others keep their own file.
      if (::fchown(fd_, replaced.st_uid, replaced.st_gid) != 0 && errno != EPERM) {
        throw FileError(path_, FailureOf(errno));
      }
    }
    Close();
  }

  void Install(bool keep_previous) override {
    struct stat replaced;
    had_previous_ = ::lstat(target_.c_str(), &replaced) == 0;
    if (keep_previous && had_previous_) {
      const int fd = CreateNew(&previous_, &previous_slot_, target_, "old");
      if (fd < 0) throw FileError(path_, FailureOf(errno));
      ::close(fd);
      ::unlink(previous_.c_str());
      if (!KeepCopy(target_, previous_)) {
        const int error = errno;
        ForgetPrevious();
        throw FileError(path_, FailureOf(error));
      }
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
      const int error = errno;
      ForgetPrevious();
      throw FileError(path_, FailureOf(error));
    }
    installed_ = true;
    kept_ = keep_previous;
    SyncFolder(target_);
  }

  void Restore() noexcept override {
    if (!installed_ || !kept_) return;
    if (!previous_.empty()) {
      if (::rename(previous_.c_str(), target_.c_str()) == 0) previous_.clear();
    } else if (!had_previous_) {
      ::unlink(target_.c_str());
    }
    SyncFolder(target_);
    kept_ = false;
  }

 private:
  void ForgetPrevious() noexcept {
    if (!previous_.empty()) ::unlink(previous_.c_str());
    previous_.clear();
    interruption::Unregister(previous_slot_);
    previous_slot_ = -1;
  }

  std::string target_;
  std::string temporary_;
  int temporary_slot_;
  std::string previous_;
  int previous_slot_ = -1;
  bool installed_ = false;
  bool kept_ = false;
  bool had_previous_ = false;
};

class PosixHold : public FileSystem::InterruptionHold {
  interruption::Hold hold_;
};

}  // namespace

Opened<File> NativeFileSystem::OpenForReading(const std::string& path) {
  if (HasNul(path)) return {nullptr, Failure(FileProblem::kNotFound, ENOENT)};
  // Without waiting: a named pipe would otherwise block the open until another program came
  // to its other end. The descriptor blocks again as usual once it is known to be a file.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return {nullptr, FailureOf(errno)};
  struct stat status;
  FileFailure failure;
  const int status_flags = ::fcntl(fd, F_GETFL);
  if (::fstat(fd, &status) != 0 || status_flags < 0 ||
      ::fcntl(fd, F_SETFL, status_flags & ~O_NONBLOCK) != 0) {
    failure = FailureOf(errno);
  } else if (S_ISDIR(status.st_mode)) {
    failure = Failure(FileProblem::kIsDirectory, EISDIR);
  } else if (!S_ISREG(status.st_mode)) {
    failure = Failure(FileProblem::kNotRegularFile, EINVAL);
  } else {
    return {std::make_unique<PosixFileOf<File>>(fd, path, IdOf(status)), {}};
  }
  ::close(fd);
  return {nullptr, failure};
}

Opened<ReplacementFile> NativeFileSystem::CreateReplacement(const std::string& target) {
  if (HasNul(target)) return {nullptr, Failure(FileProblem::kNotFound, ENOENT)};
  bool stream = false;
  const std::string file = FollowLinks(target, &stream);
  if (stream) return {nullptr, Failure(FileProblem::kNotRegularFile, EINVAL)};
  struct stat status;
  if (::stat(file.c_str(), &status) == 0) {
    if (S_ISDIR(status.st_mode)) return {nullptr, Failure(FileProblem::kIsDirectory, EISDIR)};
    if (!S_ISREG(status.st_mode)) return {nullptr, Failure(FileProblem::kNotRegularFile, EINVAL)};
    // A file its owner made read-only is not replaced behind their back.
    if (::access(file.c_str(), W_OK) != 0) return {nullptr, FailureOf(errno)};
  } else if (errno != ENOENT) {
    return {nullptr, FailureOf(errno)};
  }
  std::string temporary;
  int slot = -1;
  const int fd = CreateNew(&temporary, &slot, file, "tmp");
  if (fd < 0) {
    const int error = errno;
    if (error == EACCES || error == EPERM) {
      return {nullptr, Failure(FileProblem::kFolderNotWritable, error)};
    }
    return {nullptr, FailureOf(error)};
  }
  struct stat created;
  ::fstat(fd, &created);
  return {std::make_unique<PosixReplacement>(fd, target, file, temporary, slot, IdOf(created)), {}};
}

EntryKind NativeFileSystem::Lookup(const std::string& path) {
  struct stat status;
  if (HasNul(path) || ::stat(path.c_str(), &status) != 0) return EntryKind::kNone;
  if (S_ISDIR(status.st_mode)) return EntryKind::kDirectory;
  return S_ISREG(status.st_mode) ? EntryKind::kFile : EntryKind::kOther;
}

std::optional<FileId> NativeFileSystem::Identify(const std::string& path) {
  struct stat status;
  if (HasNul(path) || ::stat(path.c_str(), &status) != 0) return std::nullopt;
  return IdOf(status);
}

std::unique_ptr<FileSystem::InterruptionHold> NativeFileSystem::HoldInterruptions() {
  return std::make_unique<PosixHold>();
}

}  // namespace trelvan
