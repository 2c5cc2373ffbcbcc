// One real CConvertApp, made with fakes, runs every UI test. wxWidgets asserts (wxTEST_DIALOG's
// unmet expectations among them) fail the test; a modal dialog that wxTEST_DIALOG does not answer
// fails it and is cancelled, but for the main dialog, which tests run for real.
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include <wx/app.h>
#include <wx/init.h>
#include <wx/modalhook.h>

#include "tests/ui/ui_test_support.h"
#include "ui/convert_app.h"
#include "ui/convert_dialog.h"

namespace trelvan::testing {

namespace fs = std::filesystem;

UiFakes& Fakes() {
  static UiFakes fakes;
  return fakes;
}

UiTest::UiTest() {
  Fakes().prompter = {};
  Fakes().chooser = {};
  Fakes().desktop = {};
  Fakes().settings.DeleteAll();
  const fs::path dir =
      fs::temp_directory_path() / (std::string("trelvan-ui-") +
                                   ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                                   "-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  temp_dir_ = dir.u8string();
}

UiTest::~UiTest() { fs::remove_all(fs::u8path(temp_dir_)); }

std::string UiTest::TempPath(const std::string& name) const {
  return (fs::u8path(temp_dir_) / fs::u8path(name)).u8string();
}

void UiTest::WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(fs::u8path(path), std::ios::binary) << bytes;
}

}  // namespace trelvan::testing

namespace {

struct UnexpectedDialogHook : wxModalDialogHook {
  int Enter(wxDialog* dialog) override {
    if (dynamic_cast<trelvan::CConvertDlg*>(dialog) != nullptr) return wxID_NONE;
    ADD_FAILURE() << "unexpected modal dialog \"" << dialog->GetTitle().utf8_string() << "\"";
    return wxID_CANCEL;
  }
  void Exit(wxDialog* /*dialog*/) override {}
};

void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg) {
  ADD_FAILURE_AT(file.utf8_string().c_str(), line)
      << "wxWidgets assert in " << func << ": " << cond << " " << msg;
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();  // discovery: maybe no display
  wxApp::SetInstance(new trelvan::CConvertApp(trelvan::testing::Fakes().services));
  if (!wxEntryStart(argc, argv)) return 1;  // no display
  wxSetAssertHandler(FailOnAssert);
  UnexpectedDialogHook unexpected_dialogs;
  unexpected_dialogs.Register();
  const int result = RUN_ALL_TESTS();
  unexpected_dialogs.Unregister();
  wxEntryCleanup();
  return result;
}
