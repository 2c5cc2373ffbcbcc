// Gathers the warnings a conversion reports, one message each, into one box with the warning
// icon: shown before the next message or question of another kind, or by Flush() when the
// conversion has returned. A long list is cut, saying how many warnings were left out, so the
// box always fits on the screen.
#pragma once

#include <string>
#include <vector>

#include "convert/prompter.h"

namespace trelvan {

class WarningGatherer : public Prompter {
 public:
  explicit WarningGatherer(Prompter& target) : target_(target) {}

  bool AskYesNo(const std::string& question) override;
  void Show(MessageStyle style, const std::string& text) override;
  void Flush();

 private:
  Prompter& target_;
  std::vector<std::string> warnings_;
};

}  // namespace trelvan
