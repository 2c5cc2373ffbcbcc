#include "ui/about_dialog.h"

#include <wx/stattext.h>
#include <wx/uiaction.h>

#include "tests/ui/ui_test_support.h"
#include "ui/link_label.h"
#include "ui/mail.h"
#include "ui/resource_ids.h"

namespace trelvan::testing {
namespace {

// Tab reaches both links after OK; Enter and Space open a link by its text at that moment (a real
// key press through the display; under Wine, with no window manager, the key event only).
TEST_F(UiTest, AboutLinksWorkByKeyboardAndMailFallsBackToTheAddress) {
  CAboutDlg dialog(nullptr, Fakes().services);
  dialog.Show();
  dialog.Raise();
  wxYield();
  auto window = [&](int id) { return dialog.FindWindow(id); };
  std::vector<wxWindow*> order{wxWindow::FindFocus()};
  for (int i = 0; i < 3; ++i) {
    order.back()->Navigate();
    wxYield();
    order.push_back(wxWindow::FindFocus());
  }
  EXPECT_EQ(order, (std::vector<wxWindow*>{window(wxID_OK), window(ids::kMailLink),
                                           window(ids::kWebLink), window(wxID_OK)}));
  wxStaticCast(window(ids::kProductLabel), wxStaticText)->SetLabelText("A & B");  // no mnemonic
  for (const auto& [id, key] :
       {std::pair{ids::kMailLink, WXK_RETURN}, {ids::kWebLink, WXK_SPACE}}) {
    window(id)->SetFocus();
    wxYield();
#ifdef __WXMSW__
    wxKeyEvent press(wxEVT_CHAR_HOOK);
    press.m_keyCode = key;
    dialog.GetEventHandler()->ProcessEvent(press);
#else
    wxUIActionSimulator().Char(key);
    for (int i = 0; i < 20; ++i) wxYield();
#endif
  }
  EXPECT_EQ(Fakes().desktop.calls,
            (std::vector<std::vector<wxString>>{
                {"mail", "info@trelvan.example",
                 wxString::FromUTF8("Připomínka k programu \"A & B\""), "waiting"},
                {"open", "www.trelvan.example"}}));
  EXPECT_TRUE(dialog.IsShown() && dialog.IsEnabled());  // Enter did not press OK
  Fakes().desktop.mail_result = MailResult::kUnavailable;
  Fakes().prompter.shown.clear();
  static_cast<LinkLabel*>(window(ids::kMailLink))->Activate();
  ASSERT_EQ(Fakes().prompter.shown.size(), 1u);
  EXPECT_NE(Fakes().prompter.shown[0].text.find("na adresu info@trelvan.example."),
            std::string::npos);
}

}  // namespace
}  // namespace trelvan::testing
