#include "ui/convert_dialog.h"

#include <memory>

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/dnd.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include "tests/ui/gtest_modal_hook.h"
#include "tests/ui/ui_fakes.h"
#include "ui/about_dialog.h"
#include "ui/remembered_paths.h"
#include "ui/resource_ids.h"
#include "ui/ui_texts.h"

namespace trelvan::testing {
namespace {

// One statement header and one item, 128 characters each.
const std::string kStatement =
    "0740000001234567890Zkusebni ucet       01032400000000100000+00000000150000+"
    "00000000000000+00000000050000+001310324              \r\n"
    "07500000012345678900000000987654321000000000000100000005000020000001234000000030800"
    "00000000150324Platba za zbozi     00203150324\r\n";
const Shown kSuccess{MessageStyle::kPlain,
                     "Konverze proběhla úspěšně\nPřevedena 1 položka v 1 výpisu"};

class ConvertDialogTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    dialog_ = std::make_unique<CConvertDlg>(nullptr, Fakes().services);
  }
  void TearDown() override {
    dialog_.reset();
    UiTest::TearDown();
  }
  wxTextCtrl* Field(int id) { return wxStaticCast(dialog_->FindWindow(id), wxTextCtrl); }
  wxString Value(int id) { return Field(id)->GetValue(); }
  void Send(int id, wxEventType type) {
    wxCommandEvent event(type, id);
    event.SetEventObject(dialog_->FindWindow(id));
    dialog_->FindWindow(id)->GetEventHandler()->ProcessEvent(event);
  }
  void Click(int id) { Send(id, wxEVT_BUTTON); }
  void Type(int id, const std::string& utf8) { Field(id)->ChangeValue(wxString::FromUTF8(utf8)); }
  std::vector<Shown>& Messages() { return Fakes().prompter.shown; }
  // Runs the dialog modally, calls `act` once it is up and returns how it ended; one that does
  // not end within a few seconds is ended with wxID_ABORT.
  template <typename Act>
  int RunModal(Act act) {
    AllowRealModalDialogs real;
    wxTimer timeout;
    timeout.Bind(wxEVT_TIMER, [&](wxTimerEvent&) { dialog_->EndModal(wxID_ABORT); });
    timeout.StartOnce(3000);
    dialog_->CallAfter(act);
    return dialog_->ShowModal();
  }

  std::unique_ptr<CConvertDlg> dialog_;
};

TEST_F(ConvertDialogTest, EachButtonReportsTheFirstMissingPathOfItsDirection) {
  const std::tuple<std::string, std::string, int, const char*> cases[] = {
      {"", "", ids::kConvertAboToDbf, ui_texts::kAboMissing},
      {"", "", ids::kConvertDbfToAbo, ui_texts::kDbfMissing},
      {"v.gpc", "", ids::kConvertAboToDbf, ui_texts::kDbfMissing},
      {"", "v.dbf", ids::kConvertDbfToAbo, ui_texts::kAboMissing}};
  for (const auto& [abo, dbf, button, message] : cases) {
    Messages().clear();
    Type(ids::kAboPath, abo);
    Type(ids::kDbfPath, dbf);
    Click(button);
    EXPECT_EQ(Messages(), (std::vector<Shown>{{MessageStyle::kStop, message}})) << button;
  }
}

TEST_F(ConvertDialogTest, ButtonsConvertBothWaysAndRememberThePaths) {
  WriteFile(TempPath("výpis.gpc"), kStatement);
  Type(ids::kAboPath, TempPath("výpis.gpc"));
  Type(ids::kDbfPath, TempPath("výpis.dbf"));
  Click(ids::kConvertAboToDbf);
  EXPECT_EQ(RememberedPaths::Load(Fakes().settings).dbf, wxString::FromUTF8(TempPath("výpis.dbf")));
  Type(ids::kAboPath, TempPath("zpět.gpc"));
  Click(ids::kConvertDbfToAbo);
  EXPECT_EQ(Messages(), (std::vector<Shown>{kSuccess, kSuccess}));
  EXPECT_FALSE(ReadFile(TempPath("výpis.dbt")).empty());
  EXPECT_EQ(ReadFile(TempPath("zpět.gpc")), kStatement);
  // A new dialog (the next run) starts with the paths of the last conversion.
  CConvertDlg next(nullptr, Fakes().services);
  EXPECT_EQ(wxStaticCast(next.FindWindow(ids::kAboPath), wxTextCtrl)->GetValue(),
            wxString::FromUTF8(TempPath("zpět.gpc")));
}

TEST_F(ConvertDialogTest, BlankPathIsHandedToTheConversion) {
  Type(ids::kAboPath, " ");
  Type(ids::kDbfPath, TempPath("out.dbf"));
  Click(ids::kConvertAboToDbf);
  EXPECT_EQ(Messages(), (std::vector<Shown>{{MessageStyle::kStop, "Nemohu otevřít soubor \" \""}}));
}

TEST_F(ConvertDialogTest, ChosenFileFillsOnlyItsFieldAndProposesTheOtherOne) {
  Type(ids::kDbfPath, "typed.dbf");
  Fakes().chooser.answer = wxString("/data/vypis.gpc");
  Click(ids::kBrowseAbo);
  EXPECT_EQ(Value(ids::kAboPath), "/data/vypis.gpc");
  EXPECT_EQ(Value(ids::kDbfPath), "typed.dbf");  // typed, not yet read: kept

  Type(ids::kAboPath, "");
  Fakes().chooser.answer = wxString("/data/tabulka.DBF");
  Click(ids::kBrowseDbf);
  EXPECT_EQ(Value(ids::kAboPath), "/data/tabulka.gpc");
  Fakes().chooser.answer.reset();  // cancelled: nothing changes
  Click(ids::kBrowseAbo);
  EXPECT_EQ(Value(ids::kAboPath), "/data/tabulka.gpc");

  const auto& asked = Fakes().chooser.requests;
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked[0].title, "ABO soubor");
  EXPECT_EQ(asked[0].default_extension, "abo");
  EXPECT_EQ(asked[1].title, "DBF soubor");
  EXPECT_EQ(asked[1].filter, wxString::FromUTF8(ui_texts::kDbfFilter));
  EXPECT_EQ(asked[2].folder, "/data");  // the last folder: the field's does not exist
}

TEST_F(ConvertDialogTest, DroppedFilesGoToTheFieldOfTheirContent) {
  WriteFile(TempPath("prijato.txt"), kStatement);
  WriteFile(TempPath("ucty.dbt"), std::string(512, '\0'));
  WriteFile(TempPath("obrazek.png"), "\x89PNG\r\n");
  wxArrayString dropped;
  for (const char* name : {"prijato.txt", "obrazek.png"}) dropped.push_back(TempPath(name));
  static_cast<wxFileDropTarget*>(dialog_->GetDropTarget())->OnDropFiles(0, 0, dropped);
  EXPECT_EQ(Value(ids::kAboPath), TempPath("prijato.txt"));
  EXPECT_EQ(Value(ids::kDbfPath), TempPath("prijato.dbf"));
  EXPECT_EQ(Messages(),
            (std::vector<Shown>{{MessageStyle::kStop, "Soubor \"" + TempPath("obrazek.png") +
                                                          "\" není výpis ABO ani tabulka DBF."}}));
  static_cast<wxFileDropTarget*>(Field(ids::kAboPath)->GetDropTarget())
      ->OnDropFiles(0, 0, wxArrayString(1, TempPath("ucty.dbt")));
  EXPECT_EQ(Value(ids::kDbfPath), TempPath("ucty.dbf"));  // a memo file stands for its table
}

TEST_F(ConvertDialogTest, KeyboardStartsInTheAboFieldAndEnterMovesOnWithoutClosing) {
  const int result = RunModal([this] {
    EXPECT_EQ(wxWindow::FindFocus(), Field(ids::kAboPath));
    Send(ids::kAboPath, wxEVT_TEXT_ENTER);
    EXPECT_EQ(wxWindow::FindFocus(), Field(ids::kDbfPath));
    Send(ids::kDbfPath, wxEVT_TEXT_ENTER);
    EXPECT_EQ(wxWindow::FindFocus(), dialog_->FindWindow(ids::kConvertAboToDbf));
    Type(ids::kAboPath, "nechat.gpc");
    wxKeyEvent escape(wxEVT_CHAR_HOOK);
    escape.m_keyCode = WXK_ESCAPE;
    dialog_->GetEventHandler()->ProcessEvent(escape);
  });
  EXPECT_EQ(result, wxID_CANCEL);
  EXPECT_EQ(RememberedPaths::Load(Fakes().settings).abo, "nechat.gpc");  // saved on closing
}

TEST_F(ConvertDialogTest, PathFieldKeepsThePlatformsEditMenu) {
  wxContextMenuEvent menu(wxEVT_CONTEXT_MENU, ids::kAboPath);
  menu.SetEventObject(Field(ids::kAboPath));
  EXPECT_FALSE(Field(ids::kAboPath)->GetEventHandler()->ProcessEvent(menu));
}

TEST_F(ConvertDialogTest, AboutEntryAndHelpRequestOpenTheAboutDialog) {
  wxCommandEvent about(wxEVT_MENU, ids::kAboutCommand);
  wxTEST_DIALOG(dialog_->GetEventHandler()->ProcessEvent(about),
                wxExpectDismissableModal<CAboutDlg>(wxID_OK));
  wxHelpEvent f1(wxEVT_HELP, dialog_->GetId());
  f1.SetEventObject(dialog_.get());
  wxTEST_DIALOG(dialog_->GetEventHandler()->ProcessEvent(f1),
                wxExpectDismissableModal<CAboutDlg>(wxID_OK));
}

}  // namespace
}  // namespace trelvan::testing
