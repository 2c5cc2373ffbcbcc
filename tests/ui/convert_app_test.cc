#include "ui/convert_app.h"

#include <gtest/gtest.h>

#include "tests/ui/gtest_modal_hook.h"
#include "tests/ui/ui_fakes.h"
#include "ui/about_dialog.h"
#include "ui/convert_dialog.h"

namespace trelvan::testing {
namespace {

using ConvertAppTest = UiTest;

CConvertApp& App() { return static_cast<CConvertApp&>(*wxTheApp); }

TEST_F(ConvertAppTest, StartupFailureShowsOneStopMessageAndNoDialog) {
  Fakes().platform_ready = false;
  bool started = true;
  started = App().InitInstance();  // a dialog would fail the test: none is expected
  EXPECT_FALSE(started);
  EXPECT_EQ(Fakes().prompter.shown,
            (std::vector<Shown>{{MessageStyle::kStop, "OLE Initializatin failed!"}}));
}

TEST_F(ConvertAppTest, StartupRunsTheMainDialogOnceAndEndsWithIt) {
  bool started = false;
  wxTEST_DIALOG(started = App().InitInstance(), wxExpectDismissableModal<CConvertDlg>(wxID_CANCEL));
  EXPECT_TRUE(started);
  EXPECT_EQ(Fakes().platform_initialisations, 1);
  EXPECT_TRUE(Fakes().prompter.shown.empty());
  EXPECT_EQ(App().GetTopWindow(), nullptr);
}

TEST_F(ConvertAppTest, HelpRequestShowsTheAboutDialog) {
  wxTEST_DIALOG(App().WinHelp(), wxExpectDismissableModal<CAboutDlg>(wxID_OK));
}

}  // namespace
}  // namespace trelvan::testing
