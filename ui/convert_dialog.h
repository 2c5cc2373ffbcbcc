// The main dialog: the two paths, a browse button beside each, one button per conversion.
// A conversion button reads both fields, checks that both are given (the source first) and
// runs the conversion, which talks to the user itself; the dialog keeps painting meanwhile.
// The ABO field has the focus at start; Enter moves on from field to field and then to the
// first conversion button; Escape and the close button end the dialog. A file chosen, dropped
// or given at start fills its own field and proposes the other one while that is empty; both
// paths and the last folder are remembered between runs. The About dialog is on the window
// menu on Windows, on the dialog's context menu and on F1.
#pragma once

#include <memory>
#include <string>

#include <wx/dialog.h>

#include "convert/conversions.h"
#include "ui/remembered_paths.h"
#include "ui/ui_services.h"

class wxMenu;
class wxTextCtrl;

namespace trelvan {

class CConvertDlg : public wxDialog {
 public:
  CConvertDlg(wxWindow* parent, UiServices& services);

  // Puts each file into the field of its kind and proposes the other field; a file of
  // neither kind is refused with a message.
  void AcceptFiles(const wxArrayString& paths);
  // Remembers what the fields hold now.
  void SaveFields();
  void EndModal(int result) override;

  // Exchanged with the path fields by TransferDataToWindow / TransferDataFromWindow.
  wxString m_strAboPath;
  wxString m_strDbfPath;

 private:
  struct FieldKind;
  static const FieldKind kAbo;
  static const FieldKind kDbf;

  void OnInitDialog(wxInitDialogEvent& event);
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

  wxTextCtrl* Field(const FieldKind& kind) const;
  void Browse(const FieldKind& kind);
  // Sets one field (and only that one) and proposes the other one while it is empty.
  void Place(const FieldKind& kind, const wxString& path);
  // Reads the fields; returns false after telling the user which path is missing.
  bool ReadPaths(const wxString& first, const char* first_missing, const wxString& second,
                 const char* second_missing);
  using Conversion = int (*)(const std::string&, const std::string&, ConversionContext&);
  void Convert(Conversion conversion, const wxString& source, const wxString& target);

#ifdef __WXMSW__
  void AppendAboutToSystemMenu();
  WXLRESULT MSWWindowProc(WXUINT message, WXWPARAM wparam, WXLPARAM lparam) override;
#endif

  UiServices& services_;
  wxString last_folder_;

  wxDECLARE_EVENT_TABLE();
};

}  // namespace trelvan
