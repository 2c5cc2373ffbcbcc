#include "ui/convert_app.h"

#include "ui/about_dialog.h"
#include "ui/convert_dialog.h"
#include "ui/production_services.h"
#include "ui/ui_texts.h"

namespace trelvan {

CConvertApp::CConvertApp()
    : production_(std::make_unique<ProductionServices>()), services_(production_->services()) {}

CConvertApp::CConvertApp(UiServices& services) : services_(services) {}

CConvertApp::~CConvertApp() = default;

bool CConvertApp::OnInit() {
  for (int i = 1; i < argc; ++i) start_files_.push_back(argv[i]);
  return true;
}

bool CConvertApp::InitInstance() {
  if (!services_.initialise_platform()) {
    services_.prompter.Show(MessageStyle::kStop, ui_texts::kStartupFailed);
    return false;
  }
  CConvertDlg dialog(nullptr, services_);
  dialog.AcceptFiles(start_files_);
  SetTopWindow(&dialog);
  dialog.ShowModal();
  SetTopWindow(nullptr);
  return true;
}

void CConvertApp::WinHelp() { RunAboutDialog(services_); }

void CConvertApp::OnHelp(wxCommandEvent& /*event*/) { WinHelp(); }

// clang-format off
wxBEGIN_EVENT_TABLE(CConvertApp, wxApp)
  EVT_MENU(wxID_HELP, CConvertApp::OnHelp)
wxEND_EVENT_TABLE()
// clang-format on

}  // namespace trelvan
