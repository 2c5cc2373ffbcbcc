// The conversions' and dialogs' message boxes: modal, captioned with the application's name,
// buttons in Czech. With no owner given, wxWidgets picks the active window, so a box stands
// over whichever dialog asked.
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
  int ShowBox(long style, const std::string& text);

  wxWindow* owner_;
};

}  // namespace trelvan
