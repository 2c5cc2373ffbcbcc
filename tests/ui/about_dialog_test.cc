#include "ui/about_dialog.h"

#include <memory>

#include <wx/stattext.h>
#include <wx/uiaction.h>

#include "tests/ui/ui_test_support.h"
#include "ui/launcher.h"
#include "ui/link_label.h"
#include "ui/mail.h"
#include "ui/resource_ids.h"

namespace trelvan::testing {
namespace {

class AboutDialogTest : public UiTest {
 protected:
  AboutDialogTest() {
    dialog_->Show();
    dialog_->Raise();  // with no window manager, takes the keyboard focus itself
    wxYield();
  }
  wxWindow* Window(int id) { return dialog_->FindWindow(id); }
  // A real key press through the display on the focused window (under Wine, with no window
  // manager to make the dialog the foreground window, the key event only).
  void Press(int id, int key) {
    Window(id)->SetFocus();
    wxYield();
#ifdef __WXMSW__
    wxKeyEvent press(wxEVT_CHAR_HOOK);
    press.m_keyCode = key;
    dialog_->GetEventHandler()->ProcessEvent(press);
#else
    wxUIActionSimulator().Char(key);
    for (int i = 0; i < 20; ++i) wxYield();
#endif
  }

  std::unique_ptr<CAboutDlg> dialog_ = std::make_unique<CAboutDlg>(nullptr, Fakes().services);
};

TEST_F(AboutDialogTest, LinksAreUnderlinedOnTheirOwnLinesAndFollowOkInTheTabOrder) {
  const wxRect mail = Window(ids::kMailLink)->GetRect(), web = Window(ids::kWebLink)->GetRect();
  EXPECT_GE(web.GetTop(), mail.GetBottom());
  EXPECT_TRUE(wxRect(dialog_->GetClientSize()).Contains(web.Union(mail)));
  std::vector<wxWindow*> order{wxWindow::FindFocus()};
  for (int i = 0; i < 3; ++i) {
    order.back()->Navigate();
    wxYield();
    order.push_back(wxWindow::FindFocus());
  }
  EXPECT_EQ(order, (std::vector<wxWindow*>{Window(wxID_OK), Window(ids::kMailLink),
                                           Window(ids::kWebLink), Window(wxID_OK)}));
  EXPECT_TRUE(Window(ids::kMailLink)->GetFont().GetUnderlined());
  EXPECT_TRUE(Window(ids::kWebLink)->GetFont().GetUnderlined());
}

TEST_F(AboutDialogTest, EnterOrSpaceOpenALinkByItsTextAtThatMoment) {
  Window(ids::kMailLink)->SetLabel("jinam@trelvan.example");
  wxStaticCast(Window(ids::kProductLabel), wxStaticText)
      ->SetLabelText(wxString::FromUTF8("Nový & lepší"));
  Press(ids::kMailLink, WXK_RETURN);
  Press(ids::kWebLink, WXK_SPACE);
  EXPECT_EQ(Fakes().desktop.calls,
            (std::vector<std::vector<wxString>>{
                {"mail", "jinam@trelvan.example",
                 wxString::FromUTF8("Připomínka k programu \"Nový & lepší\""), "waiting"},
                {"open", "www.trelvan.example"}}));
  EXPECT_TRUE(dialog_->IsShown());  // Enter did not press OK
  EXPECT_TRUE(dialog_->IsEnabled());
  EXPECT_TRUE(Fakes().prompter.shown.empty());
}

TEST_F(AboutDialogTest, WithoutAMailProgramTheBoxGivesTheAddressToWriteTo) {
  Fakes().desktop.mail_result = MailResult::kUnavailable;
  static_cast<LinkLabel*>(Window(ids::kMailLink))->Activate();
  ASSERT_EQ(Fakes().prompter.shown.size(), 1u);
  EXPECT_EQ(Fakes().prompter.shown[0].style, MessageStyle::kInformation);
  EXPECT_NE(Fakes().prompter.shown[0].text.find("na adresu info@trelvan.example."),
            std::string::npos);
}

TEST(DesktopMail, HandsTheMessageToTheComposerAndTellsWhenThereIsNone) {
  FakeDesktop launcher;
  DesktopMailSender mail(launcher);
  const std::pair<LaunchResult, MailResult> outcomes[] = {
      {{true, 0}, MailResult::kDone},
      {{false, 0}, MailResult::kUnavailable},
      {{true, 3}, MailResult::kUnavailable},  // no mail program to hand the message to
      {{true, 4}, MailResult::kSendFailed}};
  for (const auto& [run, result] : outcomes) {
    launcher.run_result = run;
    EXPECT_EQ(mail.Send(nullptr, "a@b.example", "Predmet"), result);
  }
  EXPECT_EQ(launcher.calls[0],
            (std::vector<wxString>{"xdg-email", "--subject", "Predmet", "a@b.example"}));
#ifndef __WXMSW__
  EXPECT_FALSE(SystemLauncher().Run({"trelvan-no-such-program"}).started);
  EXPECT_EQ(SystemLauncher().Run({"sh", "-c", "exit 4"}).exit_code, 4);
#endif
}

}  // namespace
}  // namespace trelvan::testing
