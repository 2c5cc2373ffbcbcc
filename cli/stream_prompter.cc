#include "cli/stream_prompter.h"

#include <algorithm>
#include <string>

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
      err_ << OneLine(question) << std::endl;
      return false;
    case OverwriteAnswer::kAsk:
      break;
  }
  err_ << OneLine(question) << " [a/n] " << std::flush;
  std::string answer;
  if (!std::getline(in_, answer)) {
    err_ << std::endl;
    return false;
  }
  return IsYesAnswer(answer);
}

void StreamPrompter::Show(MessageStyle style, const std::string& text) {
  std::ostream& stream = style == MessageStyle::kPlain ? out_ : err_;
  stream << OneLine(text) << std::endl;
}

}  // namespace trelvan
