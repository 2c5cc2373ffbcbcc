// The conversions' and dialogs' message boxes: modal, captioned with the application's name,
// buttons in Czech, each with the icon of its kind. A question's default answer is No, so
// that Enter never replaces a file. Where the platform's own box shows no icon (GTK), the
// box is drawn by wxWidgets with the desktop theme's icon for that kind. With no owner given,
// wxWidgets picks the active window, so a box stands over whichever dialog asked.
#pragma once

#include "convert/prompter.h"

class wxWindow;

namespace trelvan {

class WxPrompter : public Prompter {
 public:
  explicit WxPrompter(wxWindow* owner = nullptr) : owner_(owner) {}

  bool AskYesNo(const std::string& question) override;
  void Show(MessageStyle style, const std::string& text) override;

 private:
  int ShowBox(MessageStyle style, const std::string& text);

  wxWindow* owner_;
};

}  // namespace trelvan
