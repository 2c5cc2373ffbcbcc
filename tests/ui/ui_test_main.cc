// The UI tests run inside one application object: the real CConvertApp, made with fakes, so
// that help requests reach it as they do in the program. wxWidgets asserts fail the current
// test, and a modal dialog that no test expects is cancelled and reported.
#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/init.h>
#include <wx/modalhook.h>

#include "tests/ui/ui_fakes.h"
#include "ui/convert_app.h"

namespace trelvan::testing {

namespace {

int real_modal_allowed = 0;

// The last of the modal hooks to be asked: whatever reaches it was not expected.
class UnexpectedDialogHook : public wxModalDialogHook {
 protected:
  int Enter(wxDialog* dialog) override {
    if (real_modal_allowed > 0) return wxID_NONE;
    ADD_FAILURE() << "unexpected modal dialog \"" << dialog->GetTitle().utf8_string() << "\"";
    return wxID_CANCEL;
  }
  void Exit(wxDialog* /*dialog*/) override {}
};

void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg) {
  ADD_FAILURE_AT(file.utf8_string().c_str(), line)
      << "wxWidgets assert in " << func.utf8_string() << ": " << cond.utf8_string() << " "
      << msg.utf8_string();
}

}  // namespace

UiFakes& Fakes() {
  static UiFakes fakes;
  return fakes;
}

AllowRealModalDialogs::AllowRealModalDialogs() { ++real_modal_allowed; }
AllowRealModalDialogs::~AllowRealModalDialogs() { --real_modal_allowed; }

void UiTest::SetUp() {
  Fakes().Reset();
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::filesystem::path dir = std::filesystem::temp_directory_path() /
                              (std::string("trelvan-ui-") + info->test_suite_name() + "-" +
                               info->name() + "-" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  // UTF-8 throughout: on Windows a narrow path would be read in the ANSI code page.
  temp_dir_ = dir.u8string();
}

void UiTest::TearDown() { std::filesystem::remove_all(std::filesystem::u8path(temp_dir_)); }

std::string UiTest::TempPath(const std::string& name) const {
  return (std::filesystem::u8path(temp_dir_) / std::filesystem::u8path(name)).u8string();
}

std::string UiTest::ReadFile(const std::string& path) {
  std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void UiTest::WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(std::filesystem::u8path(path), std::ios::binary) << bytes;
}

}  // namespace trelvan::testing

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Test discovery runs at build time, where there may be no display.
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();

  wxApp::SetInstance(new trelvan::CConvertApp(trelvan::testing::Fakes().services));
  if (!wxEntryStart(argc, argv)) {
    fprintf(stderr, "cannot start wxWidgets (no display?)\n");
    return 1;
  }
  wxSetAssertHandler(trelvan::testing::FailOnAssert);
  trelvan::testing::UnexpectedDialogHook unexpected_dialogs;
  unexpected_dialogs.Register();
  const int result = RUN_ALL_TESTS();
  unexpected_dialogs.Unregister();
  wxEntryCleanup();
  return result;
}
