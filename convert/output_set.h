// The outputs of one conversion as one transaction: each is written to a new temporary file
// beside its target, and all of them replace their targets only when the whole conversion
// succeeded. On every other end, the destructor included, the temporaries go away and every
// target keeps every byte.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "convert/conversion_context.h"

namespace trelvan {

class OutputSet {
 public:
  explicit OutputSet(FileSystem& files) : files_(files) {}

  // Starts the output at `target`; null after the stop message for a file that cannot be
  // opened, with the reason.
  ReplacementFile* Add(const std::string& target, ConversionContext& context);

  // Puts every output in place: the first one added last, so that the file the user named
  // appears only when the files that belong to it are in place. A FileError leaves every
  // target as it was.
  void Commit();

 private:
  FileSystem& files_;
  std::vector<std::unique_ptr<ReplacementFile>> outputs_;
};

// Refuses outputs that are an input, or another of the outputs, under another name (a link,
// another spelling of the path): the stop message names both. Checked before any output is
// opened, so that the inputs stay whole whatever the user answers.
bool OutputsAreOtherFiles(const std::vector<std::string>& outputs,
                          const std::vector<const File*>& inputs, ConversionContext& context);

}  // namespace trelvan
