#include "ui/about_dialog.h"

#include <string>

#include <wx/button.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include "ui/app_icon.h"
#include "ui/dialog_units.h"
#include "ui/link_label.h"
#include "ui/resource_ids.h"
#include "ui/ui_texts.h"

namespace trelvan {

namespace {

wxString Text(const char* utf8) { return wxString::FromUTF8(utf8); }

}  // namespace

CAboutDlg::CAboutDlg(wxWindow* parent, UiServices& services)
    : wxDialog(parent, wxID_ANY, Text(ui_texts::kAboutCaption)), services_(services) {
  // Ten units taller than the template: each link stands on its own line.
  SetClientSize(DialogSize(this, 230, 91));

  // An icon control takes the icon's own size, whatever the template's box says.
  new wxStaticBitmap(this, wxID_ANY, AppIcon(32), DialogPoint(this, 11, 25));

  product_label_ =
      new wxStaticText(this, ids::kProductLabel, wxEmptyString, DialogPoint(this, 50, 7),
                       DialogSize(this, 119, 8), wxST_NO_AUTORESIZE);
  // The label is the mail subject's argument: no mnemonic processing.
  product_label_->SetLabelText(Text(ui_texts::kProductAndVersion));
  new wxStaticText(this, wxID_ANY, Text(ui_texts::kRightsNotice), DialogPoint(this, 50, 20),
                   DialogSize(this, 119, 8), wxST_NO_AUTORESIZE);
  auto* ok = new wxButton(this, wxID_OK, Text(ui_texts::kOk), DialogPoint(this, 173, 30),
                          DialogSize(this, 50, 14));
  ok->SetDefault();
  new wxStaticText(this, wxID_ANY, Text(ui_texts::kMakerAddress), DialogPoint(this, 50, 30),
                   DialogSize(this, 119, 25), wxST_NO_AUTORESIZE);
  m_stcMail = new LinkLabel(this, ids::kMailLink, Text(ui_texts::kMailAddress),
                            DialogPoint(this, 50, 61), DialogSize(this, 119, 9));
  m_stcWeb = new LinkLabel(this, ids::kWebLink, Text(ui_texts::kWebAddress),
                           DialogPoint(this, 50, 73), DialogSize(this, 119, 9));
  ok->SetFocus();
  CentreOnParent();
}

void CAboutDlg::OnCharHook(wxKeyEvent& event) {
  // Enter would press OK: on a link it opens the link, as Space does.
  const int key = event.GetKeyCode();
  const bool activates = key == WXK_RETURN || key == WXK_NUMPAD_ENTER || key == WXK_SPACE;
  auto* link = dynamic_cast<LinkLabel*>(FindFocus());
  if (activates && event.GetModifiers() == wxMOD_NONE && link != nullptr &&
      link->GetParent() == this) {
    link->Activate();
    return;
  }
  event.Skip();
}

void CAboutDlg::OnMailClicked(wxHyperlinkEvent& /*event*/) {
  const wxString recipient = m_stcMail->GetLabelText();
  const wxString subject =
      wxString::Format(Text(ui_texts::kMailSubject), product_label_->GetLabelText());
  MailResult result;
  {
    // The mail program works in the user's name: nothing here takes input meanwhile.
    wxWindowDisabler everything_waits;
    result = services_.mail.Send(this, recipient, subject);
  }
  Raise();
  SetFocus();
  const char* prompt = result == MailResult::kUnavailable      ? ui_texts::kMailUnavailable
                       : result == MailResult::kLibraryInvalid ? ui_texts::kMailLibraryInvalid
                       : result == MailResult::kSendFailed     ? ui_texts::kMailSendFailed
                                                               : nullptr;
  if (prompt == nullptr) return;
  // The user can still write to the address the link shows.
  const wxString text = wxString::Format(Text(prompt), recipient);
  services_.prompter.Show(MessageStyle::kInformation, std::string(text.utf8_str()));
}

void CAboutDlg::OnWebClicked(wxHyperlinkEvent& /*event*/) {
  services_.launcher.Open(m_stcWeb->GetLabelText(), this);
}

void RunAboutDialog(UiServices& services) {
  CAboutDlg about(nullptr, services);
  about.ShowModal();
}

// clang-format off
wxBEGIN_EVENT_TABLE(CAboutDlg, wxDialog)
  EVT_HYPERLINK(ids::kMailLink, CAboutDlg::OnMailClicked)
  EVT_HYPERLINK(ids::kWebLink, CAboutDlg::OnWebClicked)
  EVT_CHAR_HOOK(CAboutDlg::OnCharHook)
wxEND_EVENT_TABLE()
// clang-format on

}  // namespace trelvan
