// The file layer the conversions read and write through. Production code uses the platform's
// files; tests use an in-memory file system that can fail any call on purpose.
//
// Only regular files are read and written. Outputs are never written in place: each is a new
// temporary file beside its target, put in place of the target only when the whole conversion
// succeeded, and removed on every other end.
//
// An open that fails is a plain result carrying the reason. A read, write, seek or close that
// fails later throws FileError, which the conversion reports once at its boundary.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

namespace trelvan {

// Why a file call failed, where the conversions have words of their own for it; kOther leaves
// the words to the system.
enum class FileProblem {
  kOther,
  kNotFound,
  kAccessDenied,
  kIsDirectory,
  kNotRegularFile,
  kFolderNotWritable,  // no new file can be created beside the target
  kDiskFull,
  kReadOnlyFileSystem,
  kQuotaExceeded,
  kInputOutput,
};

struct FileFailure {
  FileProblem problem = FileProblem::kOther;
  std::string system_text;  // the system's own description
};

class FileError : public std::runtime_error {
 public:
  FileError(std::string path, FileFailure failure)
      : std::runtime_error("cannot access file " + path + ": " + failure.system_text),
        path_(std::move(path)),
        failure_(std::move(failure)) {}
  FileError(std::string path, std::string system_text)
      : FileError(std::move(path), FileFailure{FileProblem::kOther, std::move(system_text)}) {}
  const std::string& path() const { return path_; }
  const FileFailure& failure() const { return failure_; }
  // The system's reason, in its own words.
  const std::string& reason() const { return failure_.system_text; }

 private:
  std::string path_;
  FileFailure failure_;
};

// Identifies a file independently of the name it was opened by (device and inode, or volume
// serial and file index).
struct FileId {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  friend bool operator==(const FileId& a, const FileId& b) {
    return a.volume == b.volume && a.index == b.index;
  }
  friend bool operator!=(const FileId& a, const FileId& b) { return !(a == b); }
};

enum class SeekOrigin { kBegin, kEnd };

class File {
 public:
  // Closes the file if Close() was not called; never throws.
  virtual ~File() = default;
  // Reads up to n bytes; returns how many were read, fewer only at the end of the file.
  virtual std::size_t Read(void* buffer, std::size_t n) = 0;
  // Writes all n bytes or throws.
  virtual void Write(const void* data, std::size_t n) = 0;
  // Moves the file position and returns the new position from the start.
  virtual std::int64_t Seek(std::int64_t offset, SeekOrigin origin) = 0;
  // Reads up to n bytes from `offset` on, fewer only at the end of the file; the file position
  // afterwards is unspecified. Files that can read at a position in one call override it.
  virtual std::size_t ReadAt(std::int64_t offset, void* buffer, std::size_t n) {
    Seek(offset, SeekOrigin::kBegin);
    return Read(buffer, n);
  }
  // Closes the file, reporting a failure (delayed write errors surface here).
  virtual void Close() = 0;
  // The path the file was asked for by; for a replacement, its target's.
  virtual const std::string& path() const = 0;
  virtual FileId id() const = 0;
};

// An output under construction: a new temporary file beside its target (a symbolic link's
// target is the file it points to). The target keeps every byte until Install. Going away
// without Install removes the temporary; going away after Install(keep_previous) forgets the
// kept previous file.
class ReplacementFile : public File {
 public:
  // Writes everything through to the disk and closes the temporary, with the permission bits
  // of the file it will replace.
  virtual void Finish() = 0;
  // Puts the finished temporary in place of the target in one step. With keep_previous the
  // replaced file stays under a hidden name until the replacement goes away, for Restore.
  virtual void Install(bool keep_previous) = 0;
  // Undoes Install(true): the previous file back in place, or no file where there was none.
  virtual void Restore() noexcept = 0;
};

template <typename T>
struct Opened {
  std::unique_ptr<T> file;  // null when the open failed
  FileFailure failure;      // why, when it failed
};

// What a path names: nothing, a regular file, a directory, or something else (a device, a pipe).
enum class EntryKind { kNone, kFile, kDirectory, kOther };

class FileSystem {
 public:
  // Keeps Ctrl+C and termination requests from ending the process while it lasts.
  class InterruptionHold {
   public:
    virtual ~InterruptionHold() = default;
  };

  virtual ~FileSystem() = default;
  // Opens an existing regular file for reading.
  virtual Opened<File> OpenForReading(const std::string& path) = 0;
  // Starts the replacement of the regular file at `target`, or of nothing there; refused for a
  // directory or any other kind of entry, and for a target that cannot be written.
  virtual Opened<ReplacementFile> CreateReplacement(const std::string& target) = 0;
  // Tells what the path names now; a symbolic link is judged by its target.
  virtual EntryKind Lookup(const std::string& path) = 0;
  // The identity of the file the path names (through symbolic links); none when it names none.
  virtual std::optional<FileId> Identify(const std::string& path) = 0;
  // Holds back interruptions while outputs are put in place, so that the process never ends
  // between two of them; a held request takes effect when the hold goes away.
  virtual std::unique_ptr<InterruptionHold> HoldInterruptions() { return nullptr; }
};

}  // namespace trelvan
