// The About dialog: product name and version, the rights notice and the maker's address, and
// two links, each on its own line and reachable with Tab. The mail link opens a new message to
// the address it shows, with the product label in the subject (and where no mail program takes
// it, says so and gives the address); the web link opens the address it shows. Both take their
// target from the label's text at the moment of the click, Enter or Space.
#pragma once

#include <wx/dialog.h>
#include <wx/hyperlink.h>

#include "ui/ui_services.h"

class wxStaticText;

namespace trelvan {

class LinkLabel;

class CAboutDlg : public wxDialog {
 public:
  CAboutDlg(wxWindow* parent, UiServices& services);

 private:
  void OnCharHook(wxKeyEvent& event);
  void OnMailClicked(wxHyperlinkEvent& event);
  void OnWebClicked(wxHyperlinkEvent& event);

  UiServices& services_;
  LinkLabel* m_stcMail;
  LinkLabel* m_stcWeb;
  wxStaticText* product_label_;

  wxDECLARE_EVENT_TABLE();
};

// Runs the About dialog modally with no parent of its own.
void RunAboutDialog(UiServices& services);

}  // namespace trelvan
