// The file layer the conversions read and write through. Production code uses the platform's
// files; tests use an in-memory file system that can fail any call on purpose.
//
// An open that fails is a plain result (a null file). A read, write, seek or close that fails
// later throws FileError, which the conversion reports once at its boundary.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace trelvan {

class FileError : public std::runtime_error {
 public:
  FileError(std::string path, std::string reason)
      : std::runtime_error("cannot access file " + path + ": " + reason),
        path_(std::move(path)),
        reason_(std::move(reason)) {}
  const std::string& path() const { return path_; }
  // The system's reason, in words a user can read.
  const std::string& reason() const { return reason_; }

 private:
  std::string path_;
  std::string reason_;
};

// Identifies a file independently of the name it was opened by (device and inode, or volume
// serial and file index).
struct FileId {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  friend bool operator==(const FileId& a, const FileId& b) {
    return a.volume == b.volume && a.index == b.index;
  }
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
  virtual const std::string& path() const = 0;
  virtual FileId id() const = 0;
};

// What a path names: nothing, a directory, or any other entry (a file).
enum class EntryKind { kNone, kFile, kDirectory };

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Opens an existing file for reading; null when it cannot be opened.
  virtual std::unique_ptr<File> OpenForReading(const std::string& path) = 0;
  // Creates a file for writing, emptying an existing one. Returns null, leaving the file
  // untouched, when it cannot be opened or when it is the same file as one of `open_files`.
  virtual std::unique_ptr<File> CreateForWriting(const std::string& path,
                                                 const std::vector<const File*>& open_files) = 0;
  // Tells what the path names now; a symbolic link is judged by its target.
  virtual EntryKind Lookup(const std::string& path) = 0;
};

}  // namespace trelvan
