#include "convert/file_prompts.h"

#include "convert/failure_text.h"
#include "convert/memo_path.h"
#include "convert/messages.h"

namespace trelvan {

bool ConfirmOverwrite(const std::string& outputPath, ConversionContext& context) {
  if (context.files.Lookup(outputPath) != EntryKind::kFile) return true;
  return context.prompter.AskYesNo(
      FillMessage(messages::kFileExistsOverwrite, {FileNameOf(outputPath)}));
}

void ReportOpenFailure(const std::string& path, const std::string& reason,
                       ConversionContext& context) {
  context.prompter.Show(MessageStyle::kStop,
                        FillMessage(messages::kCannotOpenFileBecause, {path, reason}));
}

void ReportFileError(const FileError& error, ConversionContext& context) {
  context.prompter.Show(
      MessageStyle::kStop,
      FillMessage(messages::kFileError, {error.path(), FailureText(error.failure())}));
}

}  // namespace trelvan
