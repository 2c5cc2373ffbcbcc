// The application object: sets up the platform, runs the main dialog modally and ends the
// program when it closes. Files named on the command line ("Open with") go into the dialog's
// fields as dropped files do. A start-up failure shows one stop message and no dialog. Every
// help request that reaches the application shows the About dialog.
#pragma once

#include <memory>

#include <wx/app.h>

#include "ui/ui_services.h"

namespace trelvan {

class ProductionServices;

class CConvertApp : public wxApp {
 public:
  CConvertApp();  // with the real services
  explicit CConvertApp(UiServices& services);
  ~CConvertApp() override;

  // Takes every argument as a file for the dialog.
  bool OnInit() override;
  // 0 once the dialog has closed, 1 when start-up failed.
  int OnRun() override { return InitInstance() ? 0 : 1; }

  void SetStartFiles(const wxArrayString& paths) { start_files_ = paths; }
  // Returns false when the platform could not be set up and no dialog was shown.
  bool InitInstance();
  // Answers a help request, whatever it asks for, with the About dialog.
  void WinHelp();

 private:
  void OnHelp(wxCommandEvent& event);

  std::unique_ptr<ProductionServices> production_;
  UiServices& services_;
  wxArrayString start_files_;

  wxDECLARE_EVENT_TABLE();
};

}  // namespace trelvan
