// "-" as a statement file, for scripts: abo2dbf reads it from standard input, dbf2abo writes it
// to standard output. Every other path goes to the real file system.
#pragma once

#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "convert/file_system.h"

namespace trelvan {

class StandardStreamFileSystem : public FileSystem {
 public:
  StandardStreamFileSystem(FileSystem& files, std::istream& in, std::ostream& out)
      : files_(files), in_(in), out_(out) {}

  std::unique_ptr<File> OpenForReading(const std::string& path) override;
  std::unique_ptr<File> CreateForWriting(const std::string& path,
                                         const std::vector<const File*>& open_files) override;
  // "-" names nothing that could be replaced: no overwrite question.
  EntryKind Lookup(const std::string& path) override;

 private:
  FileSystem& files_;
  std::istream& in_;
  std::ostream& out_;
};

}  // namespace trelvan
