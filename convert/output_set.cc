#include "convert/output_set.h"

#include <algorithm>

#include "convert/failure_text.h"
#include "convert/file_prompts.h"
#include "convert/messages.h"

namespace trelvan {

ReplacementFile* OutputSet::Add(const std::string& target, ConversionContext& context) {
  Opened<ReplacementFile> opened = files_.CreateReplacement(target);
  if (!opened.file) {
    ReportOpenFailure(target, FailureText(opened.failure), context);
    return nullptr;
  }
  outputs_.push_back(std::move(opened.file));
  return outputs_.back().get();
}

void OutputSet::Commit() {
  for (const auto& output : outputs_) output->Finish();
  std::vector<ReplacementFile*> order;
  for (std::size_t i = 1; i < outputs_.size(); ++i) order.push_back(outputs_[i].get());
  if (!outputs_.empty()) order.push_back(outputs_[0].get());

  // Renames take moments; an interruption waits for them so that no pair is left half new.
  const std::unique_ptr<FileSystem::InterruptionHold> hold = files_.HoldInterruptions();
  std::size_t installed = 0;
  try {
    for (; installed < order.size(); ++installed) {
      // All but the last keep the file they replace until the last is in place.
      order[installed]->Install(installed + 1 < order.size());
    }
  } catch (const FileError&) {
    while (installed > 0) order[--installed]->Restore();
    throw;
  }
}

bool OutputsAreOtherFiles(const std::vector<std::string>& outputs,
                          const std::vector<const File*>& inputs, ConversionContext& context) {
  std::vector<std::pair<FileId, std::string>> known;
  for (const File* input : inputs) {
    if (input != nullptr) known.emplace_back(input->id(), input->path());
  }
  for (auto output = outputs.begin(); output != outputs.end(); ++output) {
    // Two outputs of one name: a table named like its own memo file.
    const auto same_name = std::find(outputs.begin(), output, *output);
    if (same_name != output) {
      ReportOpenFailure(*output, FillMessage(messages::kReasonSameFile, {*same_name}), context);
      return false;
    }
    const std::optional<FileId> id = context.files.Identify(*output);
    if (!id) continue;
    for (const auto& [other_id, other_path] : known) {
      if (other_id != *id) continue;
      ReportOpenFailure(*output, FillMessage(messages::kReasonSameFile, {other_path}), context);
      return false;
    }
    known.emplace_back(*id, *output);
  }
  return true;
}

}  // namespace trelvan
