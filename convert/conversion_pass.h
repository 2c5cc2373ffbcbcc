// What both conversion passes share: the shape of their result, and how their inputs are
// closed and their outputs put in place.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>

#include "convert/buffered_io.h"
#include "convert/conversion_context.h"
#include "convert/file_prompts.h"
#include "convert/file_system.h"
#include "convert/output_set.h"

namespace trelvan {

enum class PassEnd { kFinished, kAmountTooLarge, kTableCutShort, kBadValue };

// How a pass ended; each direction adds what its end messages need.
struct PassResult {
  PassEnd end = PassEnd::kFinished;
  std::uint32_t stopped_at = 0;  // the line or row (from 1) the pass stopped at, when not finished
};

// Runs `pass` (a callable that returns the result). A finished pass flushes the outputs'
// buffers, closes the inputs and puts the outputs in place (OutputSet::Commit); a pass that did
// not finish leaves the outputs to be discarded with their set. When a file call fails, the
// failure is shown (ReportFileError) and nothing is returned.
template <typename Result, typename Pass>
std::optional<Result> RunPass(Pass&& pass, std::initializer_list<BufferedWriter*> writers,
                              std::initializer_list<File*> inputs, OutputSet& outputs,
                              ConversionContext& context) {
  try {
    Result result = pass();
    if (result.end == PassEnd::kFinished) {
      for (BufferedWriter* writer : writers) writer->Flush();
      for (File* input : inputs) {
        if (input != nullptr) input->Close();
      }
      outputs.Commit();
    }
    return result;
  } catch (const FileError& error) {
    ReportFileError(error, context);
    return std::nullopt;
  }
}

}  // namespace trelvan
