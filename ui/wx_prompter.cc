#include "ui/wx_prompter.h"

#include <wx/msgdlg.h>
#include <wx/utils.h>

#ifndef __WXMSW__
#include <wx/generic/msgdlgg.h>
#include <wx/textwrapper.h>
#endif

#include "ui/ui_texts.h"

namespace trelvan {

namespace {

long WxStyleFor(MessageStyle style) {
  switch (style) {
    case MessageStyle::kStop:
      return wxOK | wxICON_STOP;
    case MessageStyle::kQuestion:
      return wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION;
    case MessageStyle::kWarning:
      return wxOK | wxICON_WARNING;
    case MessageStyle::kInformation:
      return wxOK | wxICON_INFORMATION;
    case MessageStyle::kPlain:
      break;
  }
#ifdef __WXMSW__
  return wxOK | wxICON_NONE;  // with no icon flag at all, the system's box shows one
#else
  return wxOK;  // the drawn box knows no wxICON_NONE
#endif
}

#ifdef __WXMSW__
using MessageBox = wxMessageDialog;  // the system's box shows every icon
#else
// GTK's box has dropped its icons: wxWidgets draws this one, with the theme's icon.
class MessageBox : public wxGenericMessageDialog {
 public:
  using wxGenericMessageDialog::wxGenericMessageDialog;
  // Lays the box out before it is shown (the base class does it inside ShowModal), so that
  // whoever watches modal dialogs sees the box as the user will.
  int ShowModal() override {
    // Unlike the system's boxes, this one does not wrap long lines itself (a warning names its
    // file, and would run off the screen).
    SetMessage(Wrapped(GetMessage(), FromDIP(600)));
    DoCreateMsgdialog();
    return wxDialog::ShowModal();
  }

 private:
  wxString Wrapped(const wxString& text, int width) {
    struct Lines : wxTextWrapper {
      void OnOutputLine(const wxString& line) override { text += line; }
      void OnNewLine() override { text += '\n'; }
      wxString text;
    } lines;
    lines.Wrap(this, text, width);
    return lines.text;
  }
};
#endif

}  // namespace

int WxPrompter::ShowBox(MessageStyle style, const std::string& text) {
#ifndef __WXMSW__
  // A conversion may run under the busy cursor; the user answers with the normal one (the
  // system's box on Windows brings its own).
  wxBusyCursorSuspender normal_cursor;
#endif
  MessageBox box(owner_, wxString::FromUTF8(text), wxString::FromUTF8(ui_texts::kAppName),
                 WxStyleFor(style));
  box.SetYesNoLabels(wxString::FromUTF8(ui_texts::kYes), wxString::FromUTF8(ui_texts::kNo));
  box.SetOKLabel(wxString::FromUTF8(ui_texts::kOk));
  return box.ShowModal();
}

bool WxPrompter::AskYesNo(const std::string& question) {
  return ShowBox(MessageStyle::kQuestion, question) == wxID_YES;
}

void WxPrompter::Show(MessageStyle style, const std::string& text) { ShowBox(style, text); }

}  // namespace trelvan
