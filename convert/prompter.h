// The conversions' only way to talk to the user: message boxes and one Yes/No question.
#pragma once

#include <string>

namespace trelvan {

// Message box styles; the numbers are the platform's message box style values.
enum class MessageStyle : int {
  kPlain = 0,         // OK, no icon
  kStop = 16,         // stop icon, OK
  kQuestion = 36,     // question icon, Yes and No
  kWarning = 48,      // warning icon, OK
  kInformation = 64,  // information icon, OK
};

class Prompter {
 public:
  virtual ~Prompter() = default;
  // Asks a question with Yes and No (style kQuestion); returns true only for Yes.
  virtual bool AskYesNo(const std::string& question) = 0;
  // Shows a message with an OK button and waits until it is dismissed.
  virtual void Show(MessageStyle style, const std::string& text) = 0;
};

}  // namespace trelvan
