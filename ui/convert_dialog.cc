#include "ui/convert_dialog.h"

#include <wx/accel.h>
#include <wx/button.h>
#include <wx/dnd.h>
#include <wx/filename.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valgen.h>

#include "ui/about_dialog.h"
#include "ui/app_icon.h"
#include "ui/background_conversion.h"
#include "ui/dialog_units.h"
#include "ui/file_kind.h"
#include "ui/resource_ids.h"
#include "ui/ui_texts.h"
#include "ui/warning_gatherer.h"

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

// Files dropped on the dialog or on one of its fields go to the dialog.
class PathDropTarget : public wxFileDropTarget {
 public:
  explicit PathDropTarget(CConvertDlg& dialog) : dialog_(dialog) {}
  bool OnDropFiles(wxCoord /*x*/, wxCoord /*y*/, const wxArrayString& paths) override {
    dialog_.AcceptFiles(paths);
    return true;
  }

 private:
  CConvertDlg& dialog_;
};

}  // namespace

// What tells the two fields apart: the control, the member, the chooser's request and the
// extension the other field is proposed with.
struct CConvertDlg::FieldKind {
  int field_id;
  wxString CConvertDlg::*member;
  const char* chooser_title;
  const char* filter;
  const char* default_extension;
  const FieldKind& other;
  const char* proposal_extension;  // what a path proposed for this field ends in
};

const CConvertDlg::FieldKind CConvertDlg::kAbo{ids::kAboPath,
                                               &CConvertDlg::m_strAboPath,
                                               ui_texts::kAboChooserTitle,
                                               ui_texts::kAboFilter,
                                               ui_texts::kAboDefaultExtension,
                                               kDbf,
                                               ui_texts::kProposedAboExtension};
const CConvertDlg::FieldKind CConvertDlg::kDbf{ids::kDbfPath,
                                               &CConvertDlg::m_strDbfPath,
                                               ui_texts::kDbfChooserTitle,
                                               ui_texts::kDbfFilter,
                                               ui_texts::kDbfDefaultExtension,
                                               kAbo,
                                               ui_texts::kDbfDefaultExtension};

CConvertDlg::CConvertDlg(wxWindow* parent, UiServices& services)
    : wxDialog(parent, wxID_ANY, Text(ui_texts::kAppName), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      services_(services) {
  const RememberedPaths remembered = RememberedPaths::Load(services_.settings);
  m_strAboPath = remembered.abo;
  m_strDbfPath = remembered.dbf;
  last_folder_ = remembered.folder;

  SetClientSize(DialogSize(this, 250, 101));
  new wxStaticText(this, wxID_ANY, Text(ui_texts::kAboLabel), DialogPoint(this, 7, 7),
                   DialogSize(this, 213, 8));
  auto* abo = new wxTextCtrl(this, ids::kAboPath, m_strAboPath, DialogPoint(this, 7, 16),
                             DialogSize(this, 213, 14), wxTE_PROCESS_ENTER,
                             wxGenericValidator(&m_strAboPath));
  new wxButton(this, ids::kBrowseAbo, Text(ui_texts::kBrowse), DialogPoint(this, 220, 16),
               DialogSize(this, 23, 13));
  new wxStaticText(this, wxID_ANY, Text(ui_texts::kDbfLabel), DialogPoint(this, 7, 36),
                   DialogSize(this, 213, 8));
  auto* dbf = new wxTextCtrl(this, ids::kDbfPath, m_strDbfPath, DialogPoint(this, 7, 44),
                             DialogSize(this, 213, 14), wxTE_PROCESS_ENTER,
                             wxGenericValidator(&m_strDbfPath));
  new wxButton(this, ids::kBrowseDbf, Text(ui_texts::kBrowse), DialogPoint(this, 220, 44),
               DialogSize(this, 23, 13));
  new wxButton(this, ids::kConvertAboToDbf, Text(ui_texts::kConvertAboToDbf),
               DialogPoint(this, 7, 75), DialogSize(this, 114, 16));
  new wxButton(this, ids::kConvertDbfToAbo, Text(ui_texts::kConvertDbfToAbo),
               DialogPoint(this, 129, 75), DialogSize(this, 114, 16));

  // A field would take a dropped file as text; the dialog judges it instead.
  SetDropTarget(new PathDropTarget(*this));
  abo->SetDropTarget(new PathDropTarget(*this));
  dbf->SetDropTarget(new PathDropTarget(*this));

  // A help request ends at the application, which answers it with the About dialog.
  wxAcceleratorEntry help_key(wxACCEL_NORMAL, WXK_F1, wxID_HELP);
  SetAcceleratorTable(wxAcceleratorTable(1, &help_key));

  SetIcons(AppIcons());
#ifdef __WXMSW__
  AppendAboutToSystemMenu();
#endif
  Centre();
}

void CConvertDlg::OnInitDialog(wxInitDialogEvent& event) {
  wxDialog::OnInitDialog(event);
  // What the user types at once goes into the first field, in place of a remembered path.
  Field(kAbo)->SetFocus();
  Field(kAbo)->SelectAll();
}

wxTextCtrl* CConvertDlg::Field(const FieldKind& kind) const {
  return wxStaticCast(FindWindow(kind.field_id), wxTextCtrl);
}

void CConvertDlg::Place(const FieldKind& kind, const wxString& path) {
  this->*kind.member = path;
  Field(kind)->ChangeValue(path);
  last_folder_ = wxFileName(path).GetPath();
  if (Field(kind.other)->IsEmpty()) {
    this->*kind.other.member = ProposedPath(path, Text(kind.other.proposal_extension));
    Field(kind.other)->ChangeValue(this->*kind.other.member);
  }
}

void CConvertDlg::Browse(const FieldKind& kind) {
  // The chooser opens where the field's file is, or else in the last folder used.
  const wxString folder = wxFileName(Field(kind)->GetValue()).GetPath();
  const FileRequest request{Text(kind.chooser_title), Text(kind.filter),
                            Text(kind.default_extension),
                            !folder.empty() && wxDirExists(folder) ? folder : last_folder_};
  if (const std::optional<wxString> chosen = services_.chooser.ChooseFile(this, request)) {
    Place(kind, *chosen);
  }
}

void CConvertDlg::AcceptFiles(const wxArrayString& paths) {
  for (const wxString& path : paths) {
    switch (JudgeFile(path)) {
      case FileKind::kStatement:
        Place(kAbo, path);
        break;
      case FileKind::kTable:
        // A memo file stands for its table.
        Place(kDbf, wxFileName(path).GetExt().Lower() == "dbt" ? ProposedPath(path, "dbf") : path);
        break;
      case FileKind::kNeither:
        services_.prompter.Show(
            MessageStyle::kStop,
            Utf8(wxString::Format(Text(ui_texts::kNeitherStatementNorTable), path)));
        break;
    }
  }
}

void CConvertDlg::SaveFields() {
  RememberedPaths{Field(kAbo)->GetValue(), Field(kDbf)->GetValue(), last_folder_}.Save(
      services_.settings);
}

void CConvertDlg::EndModal(int result) {
  SaveFields();
  wxDialog::EndModal(result);
}

void CConvertDlg::OnBrowseAbo(wxCommandEvent& /*event*/) { Browse(kAbo); }

void CConvertDlg::OnBrowseDbf(wxCommandEvent& /*event*/) { Browse(kDbf); }

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

void CConvertDlg::Convert(Conversion conversion, const wxString& source, const wxString& target) {
  SaveFields();
  WarningGatherer prompter(services_.prompter);
  RunInBackground(
      [&](Prompter& relay) {
        ConversionContext context{services_.files, relay, services_.clock.Today()};
        return conversion(Utf8(source), Utf8(target), context);
      },
      prompter);
  prompter.Flush();
}

void CConvertDlg::OnConvertAboToDbf(wxCommandEvent& /*event*/) {
  if (!ReadPaths(m_strAboPath, ui_texts::kAboMissing, m_strDbfPath, ui_texts::kDbfMissing)) return;
  Convert(ConvertAboToDbf, m_strAboPath, m_strDbfPath);
}

void CConvertDlg::OnConvertDbfToAbo(wxCommandEvent& /*event*/) {
  if (!ReadPaths(m_strDbfPath, ui_texts::kDbfMissing, m_strAboPath, ui_texts::kAboMissing)) return;
  Convert(ConvertDbfToAbo, m_strDbfPath, m_strAboPath);
}

void CConvertDlg::OnEnterInPath(wxCommandEvent& event) {
  // Enter moves on, never ends the dialog: ABO field, DBF field, first conversion button.
  FindWindow(event.GetId() == ids::kAboPath ? ids::kDbfPath : ids::kConvertAboToDbf)->SetFocus();
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

void CConvertDlg::OnContextMenu(wxContextMenuEvent& event) {
  // A path field keeps the platform's edit menu (Cut, Copy, Paste, Select all).
  if (wxDynamicCast(event.GetEventObject(), wxTextCtrl) != nullptr) {
    event.Skip();
    return;
  }
  wxMenu menu;
  menu.Append(ids::kCloseCommand, Text(ui_texts::kCloseMenuEntry));
  menu.AppendSeparator();
  menu.Append(ids::kAboutCommand, Text(ui_texts::kAboutMenuEntry));
  PopupMenu(&menu);
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
  ::AppendMenuW(system_menu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(system_menu, MF_STRING, ids::kAboutCommand,
                Text(ui_texts::kAboutMenuEntry).wc_str());
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
  EVT_INIT_DIALOG(CConvertDlg::OnInitDialog)
  EVT_MENU(ids::kAboutCommand, CConvertDlg::OnAboutCommand)
  EVT_MENU(ids::kCloseCommand, CConvertDlg::OnCloseCommand)
  EVT_CONTEXT_MENU(CConvertDlg::OnContextMenu)
  EVT_HELP(wxID_ANY, CConvertDlg::OnHelpRequest)
wxEND_EVENT_TABLE()
// clang-format on

}  // namespace trelvan
