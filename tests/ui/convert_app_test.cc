#include "ui/convert_app.h"

#include <gtest/gtest.h>
#include <wx/textctrl.h>

#include "tests/ui/gtest_modal_hook.h"
#include "tests/ui/ui_fakes.h"
#include "ui/about_dialog.h"
#include "ui/convert_dialog.h"
#include "ui/resource_ids.h"

namespace trelvan::testing {
namespace {

using ConvertAppTest = UiTest;

CConvertApp& App() { return static_cast<CConvertApp&>(*wxTheApp); }

TEST_F(ConvertAppTest, StartupFailureShowsOneStopMessageAndNoDialog) {
  Fakes().platform_ready = false;
  EXPECT_FALSE(App().InitInstance());  // a dialog would fail the test: none is expected
  EXPECT_EQ(Fakes().prompter.shown,
            (std::vector<Shown>{{MessageStyle::kStop, "OLE Initializatin failed!"}}));
}

// Ends the main dialog, keeping what its fields held.
struct EndMainDialog : wxExpectModalBase<CConvertDlg> {
  explicit EndMainDialog(wxString& fields) : fields_(&fields) {}
  int OnInvoked(CConvertDlg* dialog) const override {
    for (int id : {ids::kAboPath, ids::kDbfPath}) {
      *fields_ += wxStaticCast(dialog->FindWindow(id), wxTextCtrl)->GetValue() + "|";
    }
    return wxID_CANCEL;
  }
  wxString* fields_;
};

TEST_F(ConvertAppTest, StartupRunsTheMainDialogWithTheGivenFileAndEndsWithIt) {
  WriteFile(TempPath("tabulka.dbf"), "");
  App().SetStartFiles(wxArrayString(1, TempPath("tabulka.dbf")));
  wxString fields;
  bool started = false;
  wxTEST_DIALOG(started = App().InitInstance(), EndMainDialog(fields));
  App().SetStartFiles({});
  EXPECT_TRUE(started);
  EXPECT_EQ(fields, TempPath("tabulka.gpc") + "|" + TempPath("tabulka.dbf") + "|");
  EXPECT_EQ(Fakes().platform_initialisations, 1);
  EXPECT_EQ(App().GetTopWindow(), nullptr);
}

TEST_F(ConvertAppTest, HelpRequestShowsTheAboutDialog) {
  wxTEST_DIALOG(App().WinHelp(), wxExpectDismissableModal<CAboutDlg>(wxID_OK));
}

}  // namespace
}  // namespace trelvan::testing
