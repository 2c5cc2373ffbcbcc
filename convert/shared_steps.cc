#include "convert/shared_steps.h"

#include "convert/messages.h"

namespace trelvan {

std::string_view FileNameOf(std::string_view path) {
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

std::string MemoPathFor(const std::string& tablePath) {
  const std::size_t name_start = tablePath.size() - FileNameOf(tablePath).size();
  const std::size_t dot = tablePath.find_last_of('.');
  if (dot == std::string::npos || dot < name_start) return tablePath + ".dbt";
  return tablePath.substr(0, dot) + ".dbt";
}

bool ConfirmOverwrite(const std::string& outputPath, ConversionContext& context) {
  if (context.files.Lookup(outputPath) != EntryKind::kFile) return true;
  return context.prompter.AskYesNo(
      FillMessage(messages::kFileExistsOverwrite, {FileNameOf(outputPath)}));
}

void ReportOpenFailure(const std::string& path, ConversionContext& context) {
  context.prompter.Show(MessageStyle::kStop, FillMessage(messages::kCannotOpenFile, {path}));
}

std::string FillMessage(std::string_view text, std::initializer_list<std::string_view> arguments) {
  std::string out;
  out.reserve(text.size() + 64);
  auto next = arguments.begin();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == 's' || text[i + 1] == 'u') &&
        next != arguments.end()) {
      out += *next++;
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace trelvan
