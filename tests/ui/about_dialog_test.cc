#include "ui/about_dialog.h"

#include <memory>
#include <string>

#include <gtest/gtest.h>
#include <wx/stattext.h>

#include "tests/ui/ui_fakes.h"
#include "ui/resource_ids.h"
#include "ui/ui_texts.h"

namespace trelvan::testing {
namespace {

class AboutDialogTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    dialog_ = std::make_unique<CAboutDlg>(nullptr, Fakes().services);
  }
  void TearDown() override {
    dialog_.reset();
    UiTest::TearDown();
  }

  wxStaticText* Label(int id) { return wxStaticCast(dialog_->FindWindow(id), wxStaticText); }
  // A click as the user makes it: the mouse button released over the link.
  void ClickLink(int id) {
    wxWindow* link = dialog_->FindWindow(id);
    ASSERT_NE(link, nullptr);
    wxMouseEvent up(wxEVT_LEFT_UP);
    up.SetEventObject(link);
    link->GetEventHandler()->ProcessEvent(up);
  }

  std::unique_ptr<CAboutDlg> dialog_;
};

TEST_F(AboutDialogTest, MailLinkWritesToItsOwnTextWithTheProductInTheSubject) {
  dialog_->Show();
  ClickLink(ids::kMailLink);
  ASSERT_EQ(Fakes().mail.calls.size(), 1u);
  const FakeMailSender::Call& call = Fakes().mail.calls[0];
  EXPECT_EQ(call.to, wxString::FromUTF8(ui_texts::kMailAddress));
  EXPECT_EQ(call.subject, wxString::FromUTF8("Připomínka k programu \"TRELVAN Verze 1.0\""));
  EXPECT_TRUE(call.owner_disabled);
  EXPECT_TRUE(dialog_->IsEnabled());
  EXPECT_TRUE(Fakes().prompter.shown.empty());
}

TEST_F(AboutDialogTest, RecipientAndSubjectFollowTheLabelsAtTheMomentOfTheClick) {
  dialog_->FindWindow(ids::kMailLink)->SetLabel("jinam@trelvan.example");
  Label(ids::kProductLabel)->SetLabelText(wxString::FromUTF8("Nový & lepší"));
  ClickLink(ids::kMailLink);
  ASSERT_EQ(Fakes().mail.calls.size(), 1u);
  EXPECT_EQ(Fakes().mail.calls[0].to, "jinam@trelvan.example");
  EXPECT_EQ(Fakes().mail.calls[0].subject,
            wxString::FromUTF8("Připomínka k programu \"Nový & lepší\""));
}

TEST_F(AboutDialogTest, WebLinkOpensItsOwnText) {
  ClickLink(ids::kWebLink);
  dialog_->FindWindow(ids::kWebLink)->SetLabel("https://jinde.trelvan.example/");
  ClickLink(ids::kWebLink);
  EXPECT_EQ(Fakes().launcher.opened,
            (std::vector<wxString>{wxString::FromUTF8(ui_texts::kWebAddress),
                                   "https://jinde.trelvan.example/"}));
  EXPECT_TRUE(Fakes().mail.calls.empty());
  EXPECT_TRUE(Fakes().prompter.shown.empty());
}

class MailPromptTest : public AboutDialogTest,
                       public ::testing::WithParamInterface<std::pair<MailResult, const char*>> {};

TEST_P(MailPromptTest, EachMailResultHasItsPrompt) {
  const auto& [result, prompt] = GetParam();
  Fakes().mail.result = result;
  ClickLink(ids::kMailLink);
  std::vector<Shown> expected;
  if (prompt != nullptr) expected.push_back({MessageStyle::kPlain, prompt});
  EXPECT_EQ(Fakes().prompter.shown, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Results, MailPromptTest,
    ::testing::Values(std::pair{MailResult::kDone, nullptr},
                      std::pair{MailResult::kUnavailable, ui_texts::kMailUnavailable},
                      std::pair{MailResult::kLibraryInvalid, ui_texts::kMailLibraryInvalid},
                      std::pair{MailResult::kSendFailed, ui_texts::kMailSendFailed}),
    [](const auto& info) { return "Result" + std::to_string(static_cast<int>(info.param.first)); });

TEST_F(AboutDialogTest, LinksAreBlueWithTheHandCursorAndOtherLabelsAreNot) {
  for (int id : {ids::kMailLink, ids::kWebLink}) {
    wxWindow* link = dialog_->FindWindow(id);
    EXPECT_EQ(link->GetForegroundColour(), wxColour(0, 0, 255));
    EXPECT_EQ(link->GetBackgroundColour(), dialog_->GetBackgroundColour());
    EXPECT_TRUE(link->GetCursor().IsOk());
    // Never cut, whatever the font: at least as wide as the text.
    EXPECT_GE(link->GetSize().x, link->GetBestSize().x);
  }
  EXPECT_NE(Label(ids::kProductLabel)->GetForegroundColour(), wxColour(0, 0, 255));
  EXPECT_FALSE(Label(ids::kProductLabel)->GetCursor().IsOk());
  EXPECT_EQ(dialog_->GetTitle(), "O aplikaci TRELVAN");
}

TEST_F(AboutDialogTest, LinksDoNotOverlap) {
  const wxRect mail = dialog_->FindWindow(ids::kMailLink)->GetRect();
  const wxRect web = dialog_->FindWindow(ids::kWebLink)->GetRect();
  EXPECT_LT(mail.GetRight(), web.GetLeft());
  EXPECT_LE(web.GetRight(), dialog_->GetClientSize().x);
}

}  // namespace
}  // namespace trelvan::testing
