#include "ui/mail.h"

#include <gtest/gtest.h>

#include "tests/ui/ui_fakes.h"
#include "ui/launcher.h"

namespace trelvan::testing {
namespace {

TEST(DesktopMail, HandsTheMessageToTheComposerAndMapsItsOutcome) {
  FakeLauncher launcher;
  DesktopMailSender mail(launcher);
  const wxString subject = wxString::FromUTF8("Připomínka k programu \"TRELVAN Verze 1.0\"");
  EXPECT_EQ(mail.Send(nullptr, "info@trelvan.example", subject), MailResult::kDone);
  ASSERT_EQ(launcher.runs.size(), 1u);
  EXPECT_EQ(launcher.runs[0],
            (std::vector<wxString>{"xdg-email", "--subject", subject, "info@trelvan.example"}));
  launcher.result = {false, 0};
  EXPECT_EQ(mail.Send(nullptr, "a@b.example", "s"), MailResult::kUnavailable);
  launcher.result = {true, 3};  // no mail program to hand the message to
  EXPECT_EQ(mail.Send(nullptr, "a@b.example", "s"), MailResult::kUnavailable);
  launcher.result = {true, 4};
  EXPECT_EQ(mail.Send(nullptr, "a@b.example", "s"), MailResult::kSendFailed);
}

TEST(MapiMail, SuccessAbortAndLogonFailureAreSilent) {
  EXPECT_EQ(MailResultFromMapi(0), MailResult::kDone);
  EXPECT_EQ(MailResultFromMapi(1), MailResult::kDone);
  EXPECT_EQ(MailResultFromMapi(3), MailResult::kDone);
  EXPECT_EQ(MailResultFromMapi(2), MailResult::kSendFailed);
  EXPECT_EQ(MailResultFromMapi(11), MailResult::kSendFailed);
}

#ifndef __WXMSW__
TEST(SystemLauncher, TellsAMissingProgramFromItsExitCode) {
  SystemLauncher launcher;
  const LaunchResult missing = launcher.Run({"trelvan-no-such-program"});
  EXPECT_FALSE(missing.started);
  const LaunchResult ok = launcher.Run({"sh", "-c", "exit 0"});
  EXPECT_TRUE(ok.started);
  EXPECT_EQ(ok.exit_code, 0);
  const LaunchResult failed = launcher.Run({"sh", "-c", "exit 4"});
  EXPECT_TRUE(failed.started);
  EXPECT_EQ(failed.exit_code, 4);
}
#endif

}  // namespace
}  // namespace trelvan::testing
