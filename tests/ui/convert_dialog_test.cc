#include "ui/convert_dialog.h"

#include <memory>

#include <gtest/gtest.h>
#include <wx/menu.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include "tests/ui/gtest_modal_hook.h"
#include "tests/ui/ui_fakes.h"
#include "ui/about_dialog.h"
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
  void Click(int id) {
    wxWindow* button = dialog_->FindWindow(id);
    ASSERT_NE(button, nullptr);
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(click);
  }
  void Type(int id, const std::string& utf8) { Field(id)->ChangeValue(wxString::FromUTF8(utf8)); }
  std::vector<testing::Shown>& Shown() { return Fakes().prompter.shown; }

  std::unique_ptr<CConvertDlg> dialog_;
};

TEST_F(ConvertDialogTest, EmptyFieldsReportTheSourceOfEachDirectionFirst) {
  Click(ids::kConvertAboToDbf);
  Click(ids::kConvertDbfToAbo);
  EXPECT_EQ(Shown(), (std::vector<testing::Shown>{{MessageStyle::kStop, ui_texts::kAboMissing},
                                                  {MessageStyle::kStop, ui_texts::kDbfMissing}}));
}

TEST_F(ConvertDialogTest, MissingTargetIsReportedOnceTheSourceIsGiven) {
  Type(ids::kAboPath, "vypis.gpc");
  Click(ids::kConvertAboToDbf);
  Type(ids::kAboPath, "");
  Type(ids::kDbfPath, "vypis.dbf");
  Click(ids::kConvertDbfToAbo);
  EXPECT_EQ(Shown(), (std::vector<testing::Shown>{{MessageStyle::kStop, ui_texts::kDbfMissing},
                                                  {MessageStyle::kStop, ui_texts::kAboMissing}}));
}

TEST_F(ConvertDialogTest, BlankPathIsHandedToTheConversion) {
  Type(ids::kAboPath, " ");
  Type(ids::kDbfPath, TempPath("out.dbf"));
  Click(ids::kConvertAboToDbf);
  ASSERT_EQ(Shown().size(), 1u);
  EXPECT_EQ(Shown()[0], (testing::Shown{MessageStyle::kStop, "Nemohu otevřít soubor \" \""}));
}

TEST_F(ConvertDialogTest, AboToDbfButtonConvertsTheStatementIntoTableAndMemo) {
  const std::string abo = TempPath("výpis.gpc");
  WriteFile(abo, kStatement);
  Type(ids::kAboPath, abo);
  Type(ids::kDbfPath, TempPath("výpis.dbf"));
  Click(ids::kConvertAboToDbf);
  EXPECT_EQ(Shown(),
            (std::vector<testing::Shown>{{MessageStyle::kPlain, "Konverze proběhla úspěšně"}}));
  EXPECT_FALSE(ReadFile(TempPath("výpis.dbf")).empty());
  EXPECT_FALSE(ReadFile(TempPath("výpis.dbt")).empty());
  EXPECT_EQ(ReadFile(abo), kStatement);
}

TEST_F(ConvertDialogTest, DbfToAboButtonWritesTheStatementBack) {
  WriteFile(TempPath("in.gpc"), kStatement);
  Type(ids::kAboPath, TempPath("in.gpc"));
  Type(ids::kDbfPath, TempPath("table.dbf"));
  Click(ids::kConvertAboToDbf);
  const std::string table = ReadFile(TempPath("table.dbf"));

  Type(ids::kAboPath, TempPath("back.gpc"));
  Click(ids::kConvertDbfToAbo);
  EXPECT_EQ(Shown().size(), 2u);
  EXPECT_EQ(Shown().back(), (testing::Shown{MessageStyle::kPlain, "Konverze proběhla úspěšně"}));
  EXPECT_EQ(ReadFile(TempPath("back.gpc")), kStatement);
  EXPECT_EQ(ReadFile(TempPath("table.dbf")), table);
}

TEST_F(ConvertDialogTest, BrowseStoresTheChoiceAndWritesEveryMemberBack) {
  Type(ids::kDbfPath, "typed, not yet read");
  Fakes().chooser.answer = wxString("/data/vypis.gpc");
  Click(ids::kBrowseAbo);
  EXPECT_EQ(dialog_->m_strAboPath, "/data/vypis.gpc");
  EXPECT_EQ(Field(ids::kAboPath)->GetValue(), "/data/vypis.gpc");
  EXPECT_EQ(Field(ids::kDbfPath)->GetValue(), "");

  Fakes().chooser.answer = wxString("/data/vypis.dbf");
  Click(ids::kBrowseDbf);
  EXPECT_EQ(Field(ids::kDbfPath)->GetValue(), "/data/vypis.dbf");
  EXPECT_EQ(Field(ids::kAboPath)->GetValue(), "/data/vypis.gpc");

  const auto& calls = Fakes().chooser.calls;
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].default_extension, "abo");
  EXPECT_EQ(calls[0].filter, "GPC Files (*.gpc)|*.gpc|ABO Files (*.abo)|*.abo||");
  EXPECT_EQ(calls[1].default_extension, "dbf");
  EXPECT_EQ(calls[1].filter, "DBF Files (*.dbf)|*.dbf||");
}

TEST_F(ConvertDialogTest, CancelledBrowseChangesNothing) {
  Type(ids::kAboPath, "typed");
  Click(ids::kBrowseAbo);
  EXPECT_EQ(Field(ids::kAboPath)->GetValue(), "typed");
  EXPECT_TRUE(dialog_->m_strAboPath.empty());
}

TEST_F(ConvertDialogTest, WindowMenuEndsWithTheAboutEntryAfterASeparator) {
  std::unique_ptr<wxMenu> menu = dialog_->CreateWindowMenu();
  const size_t count = menu->GetMenuItemCount();
  ASSERT_GE(count, 2u);
  EXPECT_TRUE(menu->FindItemByPosition(count - 2)->IsSeparator());
  const wxMenuItem* about = menu->FindItemByPosition(count - 1);
  EXPECT_EQ(about->GetId(), ids::kAboutCommand);
  EXPECT_EQ(about->GetItemLabel(), wxString::FromUTF8("&O aplikaci TRELVAN..."));
}

TEST_F(ConvertDialogTest, AboutCommandOpensTheAboutDialog) {
  wxCommandEvent about(wxEVT_MENU, ids::kAboutCommand);
  wxTEST_DIALOG(dialog_->GetEventHandler()->ProcessEvent(about),
                wxExpectDismissableModal<CAboutDlg>(wxID_OK));
}

TEST_F(ConvertDialogTest, HelpRequestReachesTheApplicationAndOpensAbout) {
  wxCommandEvent help(wxEVT_MENU, wxID_HELP);
  help.SetEventObject(dialog_.get());
  wxTEST_DIALOG(dialog_->GetEventHandler()->ProcessEvent(help),
                wxExpectDismissableModal<CAboutDlg>(wxID_OK));
  wxHelpEvent f1(wxEVT_HELP, dialog_->GetId());
  f1.SetEventObject(dialog_.get());
  wxTEST_DIALOG(dialog_->GetEventHandler()->ProcessEvent(f1),
                wxExpectDismissableModal<CAboutDlg>(wxID_OK));
}

// Runs the dialog modally and calls `act` once it is up; a dialog that does not end within a
// few seconds is ended with wxID_ABORT.
template <typename Act>
int RunModal(CConvertDlg& dialog, Act act) {
  AllowRealModalDialogs real;
  wxTimer timeout;
  timeout.Bind(wxEVT_TIMER, [&](wxTimerEvent&) { dialog.EndModal(wxID_ABORT); });
  timeout.StartOnce(5000);
  dialog.CallAfter(act);
  return dialog.ShowModal();
}

TEST_F(ConvertDialogTest, EnterInAPathFieldEndsTheDialogAfterReadingTheFields) {
  const int result = RunModal(*dialog_, [this] {
    Type(ids::kDbfPath, "typed.dbf");
    wxCommandEvent enter(wxEVT_TEXT_ENTER, ids::kDbfPath);
    enter.SetEventObject(Field(ids::kDbfPath));
    Field(ids::kDbfPath)->GetEventHandler()->ProcessEvent(enter);
  });
  EXPECT_EQ(result, wxID_OK);
  EXPECT_EQ(dialog_->m_strDbfPath, "typed.dbf");
}

TEST_F(ConvertDialogTest, EscapeEndsTheDialog) {
  const int result = RunModal(*dialog_, [this] {
    wxKeyEvent escape(wxEVT_CHAR_HOOK);
    escape.m_keyCode = WXK_ESCAPE;
    dialog_->GetEventHandler()->ProcessEvent(escape);
  });
  EXPECT_EQ(result, wxID_CANCEL);
}

TEST_F(ConvertDialogTest, CloseEntryOfTheWindowMenuEndsTheDialog) {
  const int result = RunModal(*dialog_, [this] {
    wxCommandEvent close(wxEVT_MENU, ids::kCloseCommand);
    dialog_->GetEventHandler()->ProcessEvent(close);
  });
  EXPECT_EQ(result, wxID_CANCEL);
}

}  // namespace
}  // namespace trelvan::testing
