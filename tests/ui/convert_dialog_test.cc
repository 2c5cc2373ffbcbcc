// The main dialog and the application object that runs it.
#include "ui/convert_dialog.h"

#include <wx/dnd.h>
#include <wx/filename.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include "tests/ui/ui_test_support.h"
#include "ui/about_dialog.h"
#include "ui/convert_app.h"
#include "ui/resource_ids.h"
#include "ui/ui_texts.h"

namespace trelvan::testing {
namespace {

class ConvertDialogTest : public UiTest {
 protected:
  wxTextCtrl* Field(int id) { return wxStaticCast(dialog_.FindWindow(id), wxTextCtrl); }
  wxString Fields() {
    return Field(ids::kAboPath)->GetValue() + "|" + Field(ids::kDbfPath)->GetValue();
  }
  void Type(int id, const std::string& utf8) { Field(id)->ChangeValue(wxString::FromUTF8(utf8)); }
  void Send(int id, wxEventType type) {
    wxCommandEvent event(type, id);
    event.SetEventObject(dialog_.FindWindow(id));
    dialog_.FindWindow(id)->GetEventHandler()->ProcessEvent(event);
  }
  void Drop(wxWindow* target, const wxArrayString& paths) {
    static_cast<wxFileDropTarget*>(target->GetDropTarget())->OnDropFiles(0, 0, paths);
  }
  std::vector<Shown>& Messages() { return Fakes().prompter.shown; }

  CConvertDlg dialog_{nullptr, Fakes().services};
};

TEST_F(ConvertDialogTest, EachButtonReportsTheFirstMissingPathOfItsDirection) {
  const std::tuple<const char*, const char*, int, const char*> cases[] = {
      {"", "", ids::kConvertAboToDbf, ui_texts::kAboMissing},
      {"", "", ids::kConvertDbfToAbo, ui_texts::kDbfMissing},
      {"v.gpc", "", ids::kConvertAboToDbf, ui_texts::kDbfMissing},
      {"", "v.dbf", ids::kConvertDbfToAbo, ui_texts::kAboMissing}};
  for (const auto& [abo, dbf, button, message] : cases) {
    Messages().clear();
    Type(ids::kAboPath, abo);
    Type(ids::kDbfPath, dbf);
    Send(button, wxEVT_BUTTON);
    EXPECT_EQ(Messages(), (std::vector<Shown>{{MessageStyle::kStop, message}})) << button;
  }
}

TEST_F(ConvertDialogTest, ConversionRunsAndTheNextRunStartsWithItsPaths) {
  WriteFile(TempPath("výpis.gpc"),
            "0740000001234567890Zkusebni ucet       01032400000000100000+00000000150000+"
            "00000000000000+00000000050000+001310324              \r\n"
            "07500000012345678900000000987654321000000000000100000005000020000001234000000030800"
            "00000000150324Platba za zbozi     00203150324\r\n");
  Type(ids::kAboPath, TempPath("výpis.gpc"));
  Type(ids::kDbfPath, TempPath("výpis.dbf"));
  Send(ids::kConvertAboToDbf, wxEVT_BUTTON);
  ASSERT_FALSE(Messages().empty());
  EXPECT_EQ(Messages().back().text.rfind("Konverze proběhla úspěšně", 0), 0u);
  EXPECT_TRUE(wxFileExists(wxString::FromUTF8(TempPath("výpis.dbt"))));
  CConvertDlg next(nullptr, Fakes().services);
  EXPECT_EQ(wxStaticCast(next.FindWindow(ids::kDbfPath), wxTextCtrl)->GetValue(),
            wxString::FromUTF8(TempPath("výpis.dbf")));
}

TEST_F(ConvertDialogTest, ChosenFileFillsOnlyItsFieldAndProposesTheOtherOne) {
  Type(ids::kDbfPath, "typed.dbf");
  Fakes().chooser.answer = wxString("/data/vypis.gpc");
  Send(ids::kBrowseAbo, wxEVT_BUTTON);
  EXPECT_EQ(Fields(), "/data/vypis.gpc|typed.dbf");
  Type(ids::kAboPath, "");
  Fakes().chooser.answer = wxString("/data/tabulka.DBF");
  Send(ids::kBrowseDbf, wxEVT_BUTTON);
  Fakes().chooser.answer.reset();  // cancelled: nothing changes
  Send(ids::kBrowseAbo, wxEVT_BUTTON);
  const wxFileName proposed("/data/tabulka.gpc");  // in the platform's own separators
  EXPECT_EQ(Fields(), proposed.GetFullPath() + "|/data/tabulka.DBF");
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
  Drop(&dialog_, wxArrayString(1, TempPath("prijato.txt")));
  EXPECT_EQ(Fields(), TempPath("prijato.txt") + "|" + TempPath("prijato.dbf"));
  Drop(Field(ids::kAboPath), wxArrayString(1, TempPath("ucty.dbt")));  // stands for its table
  Drop(&dialog_, wxArrayString(1, TempPath("obrazek.png")));
  EXPECT_EQ(Fields(), TempPath("prijato.txt") + "|" + TempPath("ucty.dbf"));
  EXPECT_EQ(Messages(),
            (std::vector<Shown>{{MessageStyle::kStop, "Soubor \"" + TempPath("obrazek.png") +
                                                          "\" není výpis ABO ani tabulka DBF."}}));
}

TEST_F(ConvertDialogTest, KeyboardStartsInTheAboFieldEnterMovesOnAndEscapeEndsAfterSaving) {
  wxTimer timeout;  // a dialog that does not end is ended with wxID_ABORT
  timeout.Bind(wxEVT_TIMER, [&](wxTimerEvent&) { dialog_.EndModal(wxID_ABORT); });
  timeout.StartOnce(3000);
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
  EXPECT_EQ(Fakes().settings.Read("/Paths/Abo"), "nechat.gpc");
}

TEST_F(ConvertDialogTest, PathFieldKeepsThePlatformsEditMenuAndF1OpensAbout) {
  wxContextMenuEvent menu(wxEVT_CONTEXT_MENU, ids::kAboPath);
  menu.SetEventObject(Field(ids::kAboPath));
  EXPECT_FALSE(Field(ids::kAboPath)->GetEventHandler()->ProcessEvent(menu));
  wxHelpEvent f1(wxEVT_HELP, dialog_.GetId());
  f1.SetEventObject(&dialog_);
  wxTEST_DIALOG(dialog_.GetEventHandler()->ProcessEvent(f1),
                wxExpectDismissableModal<CAboutDlg>(wxID_OK));
}

CConvertApp& App() { return static_cast<CConvertApp&>(*wxTheApp); }

TEST_F(UiTest, StartupFailureShowsOneStopMessageAndNoDialog) {
  Fakes().platform_ready = false;
  EXPECT_FALSE(App().InitInstance());
  EXPECT_EQ(Fakes().prompter.shown,
            (std::vector<Shown>{{MessageStyle::kStop, "OLE Initializatin failed!"}}));
}

// Ends the main dialog, noting what its fields held.
struct EndMainDialog : wxExpectModalBase<CConvertDlg> {
  explicit EndMainDialog(wxString& fields) : fields(&fields) {}
  int OnInvoked(CConvertDlg* dialog) const override {
    for (int id : {ids::kAboPath, ids::kDbfPath}) {
      *fields += wxStaticCast(dialog->FindWindow(id), wxTextCtrl)->GetValue() + "|";
    }
    return wxID_CANCEL;
  }
  wxString* fields;
};

TEST_F(UiTest, StartupRunsTheMainDialogWithTheGivenFileAndHelpShowsAbout) {
  App().SetStartFiles(wxArrayString(1, TempPath("tabulka.dbf")));
  wxString fields;
  wxTEST_DIALOG(EXPECT_TRUE(App().InitInstance()), EndMainDialog(fields));
  App().SetStartFiles({});
  EXPECT_EQ(fields, TempPath("tabulka.gpc") + "|" + TempPath("tabulka.dbf") + "|");
  EXPECT_EQ(App().GetTopWindow(), nullptr);
  wxTEST_DIALOG(App().WinHelp(), wxExpectDismissableModal<CAboutDlg>(wxID_OK));
}

}  // namespace
}  // namespace trelvan::testing
