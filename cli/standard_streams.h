// "-" as a statement file, for scripts: abo2dbf reads it from standard input, dbf2abo writes it
// to standard output. Every other path goes to the real file system.
//
// Standard input is kept as it is read, up to kKeptInput bytes, so that it can be opened again
// or read again from the start (a first look at a statement before the conversion proper).
#pragma once

#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "convert/file_system.h"

namespace trelvan {

inline constexpr std::size_t kKeptInput = 16 * 1024 * 1024;

// The bytes of standard input, each read from the stream once.
class InputSpool {
 public:
  explicit InputSpool(std::istream& in) : in_(in) {}
  // Reads up to n bytes from `position`; fewer only at the end. Throws FileError for a position
  // before the stream's current one that was not kept.
  std::size_t ReadAt(std::int64_t position, char* out, std::size_t n);

 private:
  std::istream& in_;
  std::string kept_;       // the first bytes of the stream, at most kKeptInput
  std::int64_t read_ = 0;  // bytes taken from the stream
};

class StandardStreamFileSystem : public FileSystem {
 public:
  StandardStreamFileSystem(FileSystem& files, std::istream& in, std::ostream& out)
      : files_(files), spool_(in), out_(out) {}

  Opened<File> OpenForReading(const std::string& path) override;
  // Standard output is written as it comes: a pipe has nothing to replace.
  Opened<ReplacementFile> CreateReplacement(const std::string& target) override;
  // "-" names nothing that could be replaced: no overwrite question.
  EntryKind Lookup(const std::string& path) override;
  // "-" is no file of the file system: never the same as another one.
  std::optional<FileId> Identify(const std::string& path) override;
  std::unique_ptr<InterruptionHold> HoldInterruptions() override {
    return files_.HoldInterruptions();
  }

 private:
  FileSystem& files_;
  InputSpool spool_;
  std::ostream& out_;
};

}  // namespace trelvan
