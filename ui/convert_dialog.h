// The main dialog: the two paths, a browse button beside each, one button per conversion.
// A conversion button reads both fields, checks that both are given (the source first) and
// runs the conversion, which talks to the user itself. Enter in a field and Escape end the
// dialog. The About dialog is on the window menu on Windows and on the context menu elsewhere.
#pragma once

#include <memory>

#include <wx/dialog.h>
#include <wx/icon.h>

#include "ui/ui_services.h"

class wxMenu;

namespace trelvan {

class CConvertDlg : public wxDialog {
 public:
  CConvertDlg(wxWindow* parent, UiServices& services);

  // The menu that stands in for the window menu where the platform gives a dialog none:
  // Close, a separator, and the About entry last.
  std::unique_ptr<wxMenu> CreateWindowMenu() const;

  // Exchanged with the path fields by TransferDataToWindow / TransferDataFromWindow.
  wxString m_strAboPath;
  wxString m_strDbfPath;
  wxIcon m_hIcon;

 private:
  void OnBrowseAbo(wxCommandEvent& event);
  void OnBrowseDbf(wxCommandEvent& event);
  void OnConvertAboToDbf(wxCommandEvent& event);
  void OnConvertDbfToAbo(wxCommandEvent& event);
  void OnEnterInPath(wxCommandEvent& event);
  void OnCharHook(wxKeyEvent& event);
  void OnAboutCommand(wxCommandEvent& event);
  void OnCloseCommand(wxCommandEvent& event);
  void OnContextMenu(wxContextMenuEvent& event);
  void OnHelpRequest(wxHelpEvent& event);

  void Browse(wxString& path, const char* default_extension, const char* filter);
  // Reads the fields; returns false after telling the user which path is missing.
  bool ReadPaths(const wxString& first, const char* first_missing, const wxString& second,
                 const char* second_missing);

#ifdef __WXMSW__
  void AppendAboutToSystemMenu();
  WXLRESULT MSWWindowProc(WXUINT message, WXWPARAM wparam, WXLPARAM lparam) override;
#endif

  UiServices& services_;

  wxDECLARE_EVENT_TABLE();
};

}  // namespace trelvan
