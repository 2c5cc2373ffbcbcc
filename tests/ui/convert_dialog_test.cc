// The main dialog and the application object that runs it.
#include "ui/convert_dialog.h"

#include <wx/dnd.h>
#include <wx/filename.h>
#include <wx/textctrl.h>

#include "tests/ui/ui_test_support.h"
#include "ui/about_dialog.h"
#include "ui/convert_app.h"
#include "ui/resource_ids.h"
#include "ui/ui_texts.h"

namespace trelvan::testing {
namespace {

wxString FieldsOf(wxWindow* dialog) {
  return wxStaticCast(dialog->FindWindow(ids::kAboPath), wxTextCtrl)->GetValue() + "|" +
         wxStaticCast(dialog->FindWindow(ids::kDbfPath), wxTextCtrl)->GetValue();
}

class ConvertDialogTest : public UiTest {
 protected:
  wxTextCtrl* Field(int id) { return wxStaticCast(dialog_.FindWindow(id), wxTextCtrl); }
  void Type(int id, const std::string& utf8) { Field(id)->ChangeValue(wxString::FromUTF8(utf8)); }
  void Send(int id, wxEventType type) {
    wxCommandEvent event(type, id);
    event.SetEventObject(dialog_.FindWindow(id));
    dialog_.FindWindow(id)->GetEventHandler()->ProcessEvent(event);
  }
  void Drop(wxWindow* target, const std::string& name) {
    static_cast<wxFileDropTarget*>(target->GetDropTarget())
        ->OnDropFiles(0, 0, wxArrayString(1, TempPath(name)));
  }
  CConvertDlg dialog_{nullptr, Fakes().services};
};

TEST_F(ConvertDialogTest, ChosenFileFillsOnlyItsFieldAndProposesTheOtherOne) {
  Type(ids::kDbfPath, "typed.dbf");
  Fakes().chooser.answer = wxString("/data/vypis.gpc");
  Send(ids::kBrowseAbo, wxEVT_BUTTON);
  EXPECT_EQ(FieldsOf(&dialog_), "/data/vypis.gpc|typed.dbf");
  Type(ids::kAboPath, "");
  Fakes().chooser.answer = wxString("/data/tabulka.DBF");
  Send(ids::kBrowseDbf, wxEVT_BUTTON);
  Fakes().chooser.answer.reset();  // cancelled: nothing changes
  Send(ids::kBrowseAbo, wxEVT_BUTTON);
  const wxFileName proposed("/data/tabulka.gpc");  // in the platform's own separators
  EXPECT_EQ(FieldsOf(&dialog_), proposed.GetFullPath() + "|/data/tabulka.DBF");
  const auto& asked = Fakes().chooser.requests;
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked[0].title + asked[0].default_extension, "ABO souborabo");
  EXPECT_EQ(asked[1].filter, wxString::FromUTF8(ui_texts::kDbfFilter));
  EXPECT_EQ(asked[2].folder, proposed.GetPath());  // the last folder: the field's is not there
}

TEST_F(ConvertDialogTest, DroppedFilesGoToTheFieldOfTheirContent) {
  WriteFile(TempPath("prijato.txt"), "074" + std::string(125, ' ') + "\r\n");
  WriteFile(TempPath("ucty.dbt"), std::string(512, '\0'));
  WriteFile(TempPath("obrazek.png"), "\x89PNG\r\n");
  Drop(&dialog_, "prijato.txt");
  EXPECT_EQ(FieldsOf(&dialog_), TempPath("prijato.txt") + "|" + TempPath("prijato.dbf"));
  Drop(Field(ids::kAboPath), "ucty.dbt");  // stands for its table
  Drop(&dialog_, "obrazek.png");
  EXPECT_EQ(FieldsOf(&dialog_), TempPath("prijato.txt") + "|" + TempPath("ucty.dbf"));
  EXPECT_EQ(Fakes().prompter.shown,
            (std::vector<Shown>{{MessageStyle::kStop, "Soubor \"" + TempPath("obrazek.png") +
                                                          "\" není výpis ABO ani tabulka DBF."}}));
}

TEST_F(ConvertDialogTest, KeyboardStartsInTheAboFieldEnterMovesOnAndEscapeKeepsThePaths) {
  std::vector<wxWindow*> focus;
  dialog_.CallAfter([&] {
    focus.push_back(wxWindow::FindFocus());
    for (int field : {ids::kAboPath, ids::kDbfPath}) {
      Send(field, wxEVT_TEXT_ENTER);
      focus.push_back(wxWindow::FindFocus());
    }
    Type(ids::kAboPath, "nechat.gpc");
    wxKeyEvent escape(wxEVT_CHAR_HOOK);
    escape.m_keyCode = WXK_ESCAPE;
    dialog_.GetEventHandler()->ProcessEvent(escape);
  });
  EXPECT_EQ(dialog_.ShowModal(), wxID_CANCEL);
  EXPECT_EQ(focus, (std::vector<wxWindow*>{Field(ids::kAboPath), Field(ids::kDbfPath),
                                           dialog_.FindWindow(ids::kConvertAboToDbf)}));
  CConvertDlg next(nullptr, Fakes().services);  // the next run starts with the paths kept
  EXPECT_EQ(FieldsOf(&next).BeforeFirst('|'), "nechat.gpc");
}

CConvertApp& App() { return static_cast<CConvertApp&>(*wxTheApp); }

struct EndMainDialog : wxExpectModalBase<CConvertDlg> {  // noting what its fields held
  explicit EndMainDialog(wxString& fields) : fields(&fields) {}
  int OnInvoked(CConvertDlg* dialog) const override {
    return *fields = FieldsOf(dialog), wxID_CANCEL;
  }
  wxString* fields;
};

TEST_F(UiTest, StartupRunsTheMainDialogWithTheGivenFileAndHelpShowsAbout) {
  App().SetStartFiles(wxArrayString(1, TempPath("tabulka.dbf")));
  wxString fields;
  wxTEST_DIALOG(EXPECT_TRUE(App().InitInstance()), EndMainDialog(fields));
  App().SetStartFiles({});
  EXPECT_EQ(fields, TempPath("tabulka.gpc") + "|" + TempPath("tabulka.dbf"));
  wxTEST_DIALOG(App().WinHelp(), wxExpectDismissableModal<CAboutDlg>(wxID_OK));
}

}  // namespace
}  // namespace trelvan::testing
