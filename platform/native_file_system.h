// The platform's files behind the FileSystem seam: unbuffered, binary, 64-bit offsets.
// Paths are UTF-8; on Windows they are opened by their wide name.
#pragma once

#include "convert/file_system.h"

namespace trelvan {

class NativeFileSystem : public FileSystem {
 public:
  std::unique_ptr<File> OpenForReading(const std::string& path) override;
  std::unique_ptr<File> CreateForWriting(const std::string& path,
                                         const std::vector<const File*>& open_files) override;
  EntryKind Lookup(const std::string& path) override;
};

}  // namespace trelvan
