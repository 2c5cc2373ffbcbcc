#include "ui/convert_dialog.h"

#include <string>

#include <wx/accel.h>
#include <wx/button.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valgen.h>

#include "convert/conversions.h"
#include "ui/about_dialog.h"
#include "ui/app_icon.h"
#include "ui/dialog_units.h"
#include "ui/resource_ids.h"
#include "ui/ui_texts.h"

#ifdef __WXMSW__
#include <wx/msw/wrapwin.h>
#endif

namespace trelvan {

namespace {

wxString Text(const char* utf8) { return wxString::FromUTF8(utf8); }

std::string Utf8(const wxString& text) {
  const wxScopedCharBuffer bytes = text.utf8_str();
  return std::string(bytes.data(), bytes.length());
}

}  // namespace

CConvertDlg::CConvertDlg(wxWindow* parent, UiServices& services)
    : wxDialog(parent, wxID_ANY, Text(ui_texts::kAppName), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      m_hIcon(AppIcon(32)),
      services_(services) {
  SetClientSize(DialogSize(this, 250, 101));

  new wxStaticText(this, wxID_ANY, Text(ui_texts::kAboLabel), DialogPoint(this, 7, 7),
                   DialogSize(this, 213, 8));
  new wxTextCtrl(this, ids::kAboPath, wxEmptyString, DialogPoint(this, 7, 16),
                 DialogSize(this, 213, 14), wxTE_PROCESS_ENTER, wxGenericValidator(&m_strAboPath));
  new wxButton(this, ids::kBrowseAbo, Text(ui_texts::kBrowse), DialogPoint(this, 220, 16),
               DialogSize(this, 23, 13));
  new wxStaticText(this, wxID_ANY, Text(ui_texts::kDbfLabel), DialogPoint(this, 7, 36),
                   DialogSize(this, 213, 8));
  new wxTextCtrl(this, ids::kDbfPath, wxEmptyString, DialogPoint(this, 7, 44),
                 DialogSize(this, 213, 14), wxTE_PROCESS_ENTER, wxGenericValidator(&m_strDbfPath));
  new wxButton(this, ids::kBrowseDbf, Text(ui_texts::kBrowse), DialogPoint(this, 220, 44),
               DialogSize(this, 23, 13));
  new wxButton(this, ids::kConvertAboToDbf, Text(ui_texts::kConvertAboToDbf),
               DialogPoint(this, 7, 75), DialogSize(this, 114, 16));
  new wxButton(this, ids::kConvertDbfToAbo, Text(ui_texts::kConvertDbfToAbo),
               DialogPoint(this, 129, 75), DialogSize(this, 114, 16));

  // A help request ends at the application, which answers it with the About dialog.
  wxAcceleratorEntry help_key(wxACCEL_NORMAL, WXK_F1, wxID_HELP);
  SetAcceleratorTable(wxAcceleratorTable(1, &help_key));

  SetIcon(m_hIcon);
#ifdef __WXMSW__
  AppendAboutToSystemMenu();
#endif
  Centre();
}

std::unique_ptr<wxMenu> CConvertDlg::CreateWindowMenu() const {
  auto menu = std::make_unique<wxMenu>();
  menu->Append(ids::kCloseCommand, Text(ui_texts::kCloseMenuEntry));
  menu->AppendSeparator();
  menu->Append(ids::kAboutCommand, Text(ui_texts::kAboutMenuEntry));
  return menu;
}

void CConvertDlg::Browse(wxString& path, const char* default_extension, const char* filter) {
  const std::optional<wxString> chosen =
      services_.chooser.ChooseFile(this, Text(default_extension), Text(filter));
  if (!chosen) return;
  path = *chosen;
  // Every member goes back to its field, so text typed into the other field and not yet read
  // in gives way to that member's last value.
  TransferDataToWindow();
}

void CConvertDlg::OnBrowseAbo(wxCommandEvent& /*event*/) {
  Browse(m_strAboPath, ui_texts::kAboDefaultExtension, ui_texts::kAboFilter);
}

void CConvertDlg::OnBrowseDbf(wxCommandEvent& /*event*/) {
  Browse(m_strDbfPath, ui_texts::kDbfDefaultExtension, ui_texts::kDbfFilter);
}

bool CConvertDlg::ReadPaths(const wxString& first, const char* first_missing,
                            const wxString& second, const char* second_missing) {
  if (!TransferDataFromWindow()) return false;
  // Only an empty field counts as missing; blanks are a name the conversion then reports.
  if (first.empty()) {
    services_.prompter.Show(MessageStyle::kStop, first_missing);
    return false;
  }
  if (second.empty()) {
    services_.prompter.Show(MessageStyle::kStop, second_missing);
    return false;
  }
  return true;
}

void CConvertDlg::OnConvertAboToDbf(wxCommandEvent& /*event*/) {
  if (!ReadPaths(m_strAboPath, ui_texts::kAboMissing, m_strDbfPath, ui_texts::kDbfMissing)) return;
  ConversionContext context{services_.files, services_.prompter, services_.clock.Today()};
  ConvertAboToDbf(Utf8(m_strAboPath), Utf8(m_strDbfPath), context);
}

void CConvertDlg::OnConvertDbfToAbo(wxCommandEvent& /*event*/) {
  if (!ReadPaths(m_strDbfPath, ui_texts::kDbfMissing, m_strAboPath, ui_texts::kAboMissing)) return;
  ConversionContext context{services_.files, services_.prompter, services_.clock.Today()};
  ConvertDbfToAbo(Utf8(m_strDbfPath), Utf8(m_strAboPath), context);
}

void CConvertDlg::OnEnterInPath(wxCommandEvent& /*event*/) {
  // Enter ends the dialog as OK would: the fields are read first.
  if (Validate() && TransferDataFromWindow()) EndDialog(wxID_OK);
}

void CConvertDlg::OnCharHook(wxKeyEvent& event) {
  // wxWidgets maps Escape only to a Cancel or OK button, and this dialog has neither.
  if (event.GetKeyCode() == WXK_ESCAPE && event.GetModifiers() == wxMOD_NONE) {
    EndDialog(wxID_CANCEL);
    return;
  }
  event.Skip();
}

void CConvertDlg::OnAboutCommand(wxCommandEvent& /*event*/) { RunAboutDialog(services_); }

void CConvertDlg::OnCloseCommand(wxCommandEvent& /*event*/) { Close(); }

void CConvertDlg::OnContextMenu(wxContextMenuEvent& /*event*/) {
  std::unique_ptr<wxMenu> menu = CreateWindowMenu();
  PopupMenu(menu.get());
}

void CConvertDlg::OnHelpRequest(wxHelpEvent& /*event*/) {
  wxCommandEvent help(wxEVT_MENU, wxID_HELP);
  help.SetEventObject(this);
  ProcessWindowEvent(help);
}

#ifdef __WXMSW__
void CConvertDlg::AppendAboutToSystemMenu() {
  HMENU system_menu = ::GetSystemMenu(static_cast<HWND>(GetHWND()), FALSE);
  if (system_menu == nullptr) return;
  const wxString about = Text(ui_texts::kAboutMenuEntry);
  ::AppendMenuW(system_menu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(system_menu, MF_STRING, ids::kAboutCommand, about.wc_str());
}

WXLRESULT CConvertDlg::MSWWindowProc(WXUINT message, WXWPARAM wparam, WXLPARAM lparam) {
  if (message == WM_SYSCOMMAND && static_cast<int>(wparam & 0xFFF0) == ids::kAboutCommand) {
    RunAboutDialog(services_);
    return 0;
  }
  return wxDialog::MSWWindowProc(message, wparam, lparam);
}
#endif

// clang-format off
wxBEGIN_EVENT_TABLE(CConvertDlg, wxDialog)
  EVT_BUTTON(ids::kBrowseAbo, CConvertDlg::OnBrowseAbo)
  EVT_BUTTON(ids::kBrowseDbf, CConvertDlg::OnBrowseDbf)
  EVT_BUTTON(ids::kConvertAboToDbf, CConvertDlg::OnConvertAboToDbf)
  EVT_BUTTON(ids::kConvertDbfToAbo, CConvertDlg::OnConvertDbfToAbo)
  EVT_TEXT_ENTER(ids::kAboPath, CConvertDlg::OnEnterInPath)
  EVT_TEXT_ENTER(ids::kDbfPath, CConvertDlg::OnEnterInPath)
  EVT_CHAR_HOOK(CConvertDlg::OnCharHook)
  EVT_MENU(ids::kAboutCommand, CConvertDlg::OnAboutCommand)
  EVT_MENU(ids::kCloseCommand, CConvertDlg::OnCloseCommand)
#ifndef __WXMSW__
  EVT_CONTEXT_MENU(CConvertDlg::OnContextMenu)
#endif
  EVT_HELP(wxID_ANY, CConvertDlg::OnHelpRequest)
wxEND_EVENT_TABLE()
// clang-format on

}  // namespace trelvan
