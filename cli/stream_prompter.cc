#include "cli/stream_prompter.h"

#include <algorithm>
#include <sstream>
#include <string>

#include "cli/cli_texts.h"

namespace trelvan {

std::string OneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\n', ' ');
  return text;
}

bool IsYesAnswer(std::string answer) {
  const auto first = answer.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return false;
  answer = answer.substr(first, answer.find_last_not_of(" \t\r\n") - first + 1);
  std::transform(answer.begin(), answer.end(), answer.begin(), [](unsigned char c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  });
  return answer == "a" || answer == "ano" || answer == "y" || answer == "yes";
}

bool StreamPrompter::AskYesNo(const std::string& question) {
  switch (answer_) {
    case OverwriteAnswer::kYes:
      return true;
    case OverwriteAnswer::kNo:
      err_ << cli_texts::kPrefix << OneLine(question) << cli_texts::kNoTerminalRefusal << std::endl;
      return false;
    case OverwriteAnswer::kAsk:
      break;
  }
  err_ << cli_texts::kPrefix << OneLine(question) << " [a/n] " << std::flush;
  std::string answer;
  if (!std::getline(in_, answer)) {
    err_ << std::endl;
    return false;
  }
  return IsYesAnswer(answer);
}

void StreamPrompter::Show(MessageStyle style, const std::string& text) {
  switch (style) {
    case MessageStyle::kPlain: {
      if (quiet_) return;
      std::istringstream lines(text);
      for (std::string line; std::getline(lines, line);) {
        if (output_is_data_) {
          err_ << cli_texts::kPrefix << success_prefix_ << line << '\n';
        } else {
          out_ << success_prefix_ << line << '\n';
        }
      }
      (output_is_data_ ? err_ : out_).flush();
      return;
    }
    case MessageStyle::kInformation:
      if (quiet_) return;
      break;
    case MessageStyle::kWarning:
      warned_ = true;
      break;
    case MessageStyle::kStop:
    case MessageStyle::kQuestion:
      break;
  }
  err_ << cli_texts::kPrefix << OneLine(text) << std::endl;
}

}  // namespace trelvan
