#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/native_file_system.h"

namespace trelvan {
namespace {

std::string Reason(int error) { return std::strerror(error); }

class PosixFile : public File {
 public:
  PosixFile(int fd, std::string path, FileId id) : fd_(fd), path_(std::move(path)), id_(id) {}
  ~PosixFile() override {
    if (fd_ >= 0) ::close(fd_);
  }

  std::size_t Read(void* buffer, std::size_t n) override {
    std::size_t done = 0;
    while (done < n) {
      const ssize_t got = ::read(fd_, static_cast<char*>(buffer) + done, n - done);
      if (got < 0) {
        if (errno == EINTR) continue;
        throw FileError(path_, Reason(errno));
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
        throw FileError(path_, Reason(errno));
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
        throw FileError(path_, Reason(errno));
      }
      if (put == 0) throw FileError(path_, Reason(EIO));  // no progress: never loop forever
      done += static_cast<std::size_t>(put);
    }
  }

  std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override {
    const int whence = origin == SeekOrigin::kBegin ? SEEK_SET : SEEK_END;
    const off_t position = ::lseek(fd_, static_cast<off_t>(offset), whence);
    if (position < 0) throw FileError(path_, Reason(errno));
    return position;
  }

  void Close() override {
    const int fd = fd_;
    fd_ = -1;
    if (fd >= 0 && ::close(fd) != 0 && errno != EINTR) throw FileError(path_, Reason(errno));
  }

  const std::string& path() const override { return path_; }
  FileId id() const override { return id_; }

 private:
  int fd_;
  std::string path_;
  FileId id_;
};

// A NUL inside a path would make the system see a shorter name: such a path names no file.
bool HasNul(const std::string& path) { return path.find('\0') != std::string::npos; }

// Opens without waiting: a named pipe would otherwise block the open until another program
// came to its other end. Returns -1, with nothing left open, for a directory or a pipe; the
// descriptor it returns blocks again as usual.
int OpenFile(const std::string& path, int flags, struct stat* status) {
  if (HasNul(path)) return -1;
  const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) return -1;
  const int status_flags = ::fcntl(fd, F_GETFL);
  if (::fstat(fd, status) != 0 || S_ISDIR(status->st_mode) || S_ISFIFO(status->st_mode) ||
      status_flags < 0 || ::fcntl(fd, F_SETFL, status_flags & ~O_NONBLOCK) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

std::unique_ptr<File> Wrap(int fd, const std::string& path, const struct stat& status) {
  return std::make_unique<PosixFile>(
      fd, path,
      FileId{static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)});
}

}  // namespace

std::unique_ptr<File> NativeFileSystem::OpenForReading(const std::string& path) {
  struct stat status;
  const int fd = OpenFile(path, O_RDONLY, &status);
  return fd < 0 ? nullptr : Wrap(fd, path, status);
}

std::unique_ptr<File> NativeFileSystem::CreateForWriting(
    const std::string& path, const std::vector<const File*>& open_files) {
  // Open without truncating first, so that a file the caller is reading survives when the
  // output turns out to be that same file under another name.
  struct stat status;
  const int fd = OpenFile(path, O_WRONLY | O_CREAT, &status);
  if (fd < 0) return nullptr;
  std::unique_ptr<File> file = Wrap(fd, path, status);
  for (const File* open : open_files) {
    if (open != nullptr && open->id() == file->id()) return nullptr;
  }
  // A new file is empty already; truncating it anyway makes some file systems flush the whole
  // file when it is closed.
  if (S_ISREG(status.st_mode) && status.st_size > 0 && ::ftruncate(fd, 0) != 0) return nullptr;
  return file;
}

EntryKind NativeFileSystem::Lookup(const std::string& path) {
  struct stat status;
  if (HasNul(path) || ::stat(path.c_str(), &status) != 0) return EntryKind::kNone;
  return S_ISDIR(status.st_mode) ? EntryKind::kDirectory : EntryKind::kFile;
}

}  // namespace trelvan
