#include "ui/wx_prompter.h"

#include <wx/msgdlg.h>

#include "ui/ui_texts.h"

namespace trelvan {

namespace {

long WxStyleFor(MessageStyle style) {
  switch (style) {
    case MessageStyle::kStop:
      return wxOK | wxICON_STOP;
    case MessageStyle::kQuestion:
      return wxYES_NO | wxICON_QUESTION;
    case MessageStyle::kInformation:
      return wxOK | wxICON_INFORMATION;
    case MessageStyle::kPlain:
      break;
  }
  return wxOK | wxICON_NONE;
}

}  // namespace

int WxPrompter::ShowBox(long style, const std::string& text) {
  wxMessageDialog box(owner_, wxString::FromUTF8(text), wxString::FromUTF8(ui_texts::kAppName),
                      style);
  box.SetYesNoLabels(wxString::FromUTF8(ui_texts::kYes), wxString::FromUTF8(ui_texts::kNo));
  box.SetOKLabel(wxString::FromUTF8(ui_texts::kOk));
  return box.ShowModal();
}

bool WxPrompter::AskYesNo(const std::string& question) {
  return ShowBox(WxStyleFor(MessageStyle::kQuestion), question) == wxID_YES;
}

void WxPrompter::Show(MessageStyle style, const std::string& text) {
  ShowBox(WxStyleFor(style), text);
}

}  // namespace trelvan
