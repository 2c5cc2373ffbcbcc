#include "ui/about_dialog.h"

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

const char* MailPrompt(MailResult result) {
  switch (result) {
    case MailResult::kUnavailable:
      return ui_texts::kMailUnavailable;
    case MailResult::kLibraryInvalid:
      return ui_texts::kMailLibraryInvalid;
    case MailResult::kSendFailed:
      return ui_texts::kMailSendFailed;
    case MailResult::kDone:
      break;
  }
  return nullptr;
}

}  // namespace

CAboutDlg::CAboutDlg(wxWindow* parent, UiServices& services)
    : wxDialog(parent, wxID_ANY, Text(ui_texts::kAboutCaption)), services_(services) {
  SetClientSize(DialogSize(this, 230, 81));

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
                            DialogPoint(this, 50, 61), DialogSize(this, 70, 8));
  // The web link's box runs to the right margin: with the Windows dialog font the address is
  // a few pixels longer than the template's 70 units, and a label is cut at its box.
  m_stcWeb = new LinkLabel(this, ids::kWebLink, Text(ui_texts::kWebAddress),
                           DialogPoint(this, 125, 61), DialogSize(this, 98, 8));
  ok->SetFocus();
  CentreOnParent();
}

void CAboutDlg::OnMailClicked(wxCommandEvent& /*event*/) {
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
  if (const char* prompt = MailPrompt(result)) {
    services_.prompter.Show(MessageStyle::kPlain, prompt);
  }
}

void CAboutDlg::OnWebClicked(wxCommandEvent& /*event*/) {
  services_.launcher.Open(m_stcWeb->GetLabelText(), this);
}

void RunAboutDialog(UiServices& services) {
  CAboutDlg about(nullptr, services);
  about.ShowModal();
}

// clang-format off
wxBEGIN_EVENT_TABLE(CAboutDlg, wxDialog)
  EVT_BUTTON(ids::kMailLink, CAboutDlg::OnMailClicked)
  EVT_BUTTON(ids::kWebLink, CAboutDlg::OnWebClicked)
wxEND_EVENT_TABLE()
// clang-format on

}  // namespace trelvan
