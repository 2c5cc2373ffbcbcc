#include "ui/about_dialog.h"

#include <memory>

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/stattext.h>

#include "tests/ui/ui_fakes.h"
#include "ui/launcher.h"
#include "ui/link_label.h"
#include "ui/mail.h"
#include "ui/resource_ids.h"
#include "ui/ui_texts.h"

namespace trelvan::testing {
namespace {

class AboutDialogTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    dialog_ = std::make_unique<CAboutDlg>(nullptr, Fakes().services);
    dialog_->Show();
    dialog_->Raise();  // with no window manager, takes the keyboard focus itself
    wxYield();
  }
  void TearDown() override {
    dialog_.reset();
    UiTest::TearDown();
  }
  wxWindow* Window(int id) { return dialog_->FindWindow(id); }
  void Press(int key) {
    wxKeyEvent press(wxEVT_CHAR_HOOK);
    press.m_keyCode = key;
    dialog_->GetEventHandler()->ProcessEvent(press);
  }

  std::unique_ptr<CAboutDlg> dialog_;
};

TEST_F(AboutDialogTest, LinksAreUnderlinedOnTheirOwnLinesAndFollowOkInTheTabOrder) {
  const wxRect mail = Window(ids::kMailLink)->GetRect(), web = Window(ids::kWebLink)->GetRect();
  EXPECT_GE(web.GetTop(), mail.GetBottom());
  EXPECT_LE(web.GetBottom(), dialog_->GetClientSize().y);
  EXPECT_LE(std::max(mail.GetRight(), web.GetRight()), dialog_->GetClientSize().x);
  std::vector<wxWindow*> order{wxWindow::FindFocus()};
  for (int i = 0; i < 3; ++i) {
    order.back()->Navigate();
    wxYield();
    order.push_back(wxWindow::FindFocus());
  }
  EXPECT_EQ(order, (std::vector<wxWindow*>{Window(wxID_OK), Window(ids::kMailLink),
                                           Window(ids::kWebLink), Window(wxID_OK)}));
  for (int id : {ids::kMailLink, ids::kWebLink}) {
    EXPECT_TRUE(Window(id)->GetFont().GetUnderlined());
    EXPECT_EQ(Window(id)->GetForegroundColour(), wxColour(0, 0, 255));
  }
}

TEST_F(AboutDialogTest, EnterOnTheMailLinkWritesToItsTextWithTheProductLabelInTheSubject) {
  Window(ids::kMailLink)->SetLabel("jinam@trelvan.example");
  wxStaticCast(Window(ids::kProductLabel), wxStaticText)
      ->SetLabelText(wxString::FromUTF8("Nový & lepší"));
  Window(ids::kMailLink)->SetFocus();
  Press(WXK_RETURN);
  EXPECT_EQ(Fakes().mail.calls,
            (std::vector<std::vector<wxString>>{
                {"jinam@trelvan.example",
                 wxString::FromUTF8("Připomínka k programu \"Nový & lepší\""), "disabled"}}));
  EXPECT_TRUE(dialog_->IsShown());  // Enter did not press OK
  EXPECT_TRUE(dialog_->IsEnabled());
  EXPECT_TRUE(Fakes().prompter.shown.empty());
}

TEST_F(AboutDialogTest, SpaceOrAClickOnTheWebLinkOpensItsText) {
  Window(ids::kWebLink)->SetFocus();
  Press(WXK_SPACE);
  for (wxEventType type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP}) {
    wxMouseEvent click(type);
    click.SetPosition(wxPoint(2, 2));
    Window(ids::kWebLink)->GetEventHandler()->ProcessEvent(click);
  }
  EXPECT_EQ(Fakes().launcher.opened, (std::vector<wxString>(2, ui_texts::kWebAddress)));
  EXPECT_TRUE(Fakes().mail.calls.empty());
}

TEST_F(AboutDialogTest, WithoutAMailProgramTheBoxGivesTheAddressToWriteTo) {
  Fakes().mail.result = MailResult::kUnavailable;
  static_cast<LinkLabel*>(Window(ids::kMailLink))->Activate();
  ASSERT_EQ(Fakes().prompter.shown.size(), 1u);
  EXPECT_EQ(Fakes().prompter.shown[0].style, MessageStyle::kInformation);
  EXPECT_NE(Fakes().prompter.shown[0].text.find("na adresu info@trelvan.example."),
            std::string::npos);
}

TEST(DesktopMail, HandsTheMessageToTheComposerAndMapsItsOutcome) {
  FakeLauncher launcher;
  DesktopMailSender mail(launcher);
  EXPECT_EQ(mail.Send(nullptr, "info@trelvan.example", "Předmět"), MailResult::kDone);
  EXPECT_EQ(launcher.runs, (std::vector<std::vector<wxString>>{
                               {"xdg-email", "--subject", "Předmět", "info@trelvan.example"}}));
  const std::pair<LaunchResult, MailResult> outcomes[] = {
      {{false, 0}, MailResult::kUnavailable},
      {{true, 3}, MailResult::kUnavailable},  // no mail program to hand the message to
      {{true, 4}, MailResult::kSendFailed}};
  for (const auto& [run, result] : outcomes) {
    launcher.result = run;
    EXPECT_EQ(mail.Send(nullptr, "a@b.example", "s"), result);
  }
}

#ifndef __WXMSW__
TEST(SystemLauncher, TellsAMissingProgramFromItsExitCode) {
  SystemLauncher launcher;
  EXPECT_FALSE(launcher.Run({"trelvan-no-such-program"}).started);
  const LaunchResult failed = launcher.Run({"sh", "-c", "exit 4"});
  EXPECT_TRUE(failed.started);
  EXPECT_EQ(failed.exit_code, 4);
}
#endif

}  // namespace
}  // namespace trelvan::testing
