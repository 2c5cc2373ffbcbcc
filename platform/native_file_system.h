// The platform's files behind the FileSystem seam: unbuffered, binary, 64-bit offsets.
// Paths are UTF-8; on Windows they are opened by their wide name.
//
// A replacement is a hidden file ".NAME.trelvan-tmp-PID-N" beside the target (beside the file a
// symbolic link points to), registered for removal on interruption while it exists; a kept
// previous file is ".NAME.trelvan-old-PID-N".
#pragma once

#include "convert/file_system.h"

namespace trelvan {

class NativeFileSystem : public FileSystem {
 public:
  Opened<File> OpenForReading(const std::string& path) override;
  Opened<ReplacementFile> CreateReplacement(const std::string& target) override;
  EntryKind Lookup(const std::string& path) override;
  std::optional<FileId> Identify(const std::string& path) override;
  std::unique_ptr<InterruptionHold> HoldInterruptions() override;
};

}  // namespace trelvan
