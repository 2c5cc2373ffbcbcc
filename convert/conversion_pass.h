// What both conversion passes share: the shape of their result and how their files are closed.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>

#include "convert/buffered_io.h"
#include "convert/conversion_context.h"
#include "convert/file_prompts.h"
#include "convert/file_system.h"

namespace trelvan {

enum class PassEnd { kFinished, kAmountTooLarge, kTableCutShort, kBadValue };

// How a pass ended; each direction adds what its end messages need.
struct PassResult {
  PassEnd end = PassEnd::kFinished;
  std::uint32_t stopped_at = 0;  // the line or row (from 1) the pass stopped at, when not finished
};

// Runs `pass` (a callable that returns the result) and closes the files, however the pass
// ended: the outputs' buffers are flushed, then every file is closed in the order given, outputs
// first, so that their delayed write errors are reported. When a file call fails, the outputs
// keep what reached them, the failure is shown (ReportFileError) and nothing is returned.
template <typename Result, typename Pass>
std::optional<Result> RunPass(Pass&& pass, std::initializer_list<BufferedWriter*> outputs,
                              std::initializer_list<File*> files, ConversionContext& context) {
  try {
    Result result = pass();
    for (BufferedWriter* output : outputs) output->Flush();
    for (File* file : files) {
      if (file != nullptr) file->Close();
    }
    return result;
  } catch (const FileError& error) {
    for (BufferedWriter* output : outputs) output->FlushQuietly();
    ReportFileError(error, context);
    return std::nullopt;
  }
}

}  // namespace trelvan
