// The UI tests' stand-ins for the user's choices and the desktop, and the one set of services
// every test's dialogs and the application object share. Reset before each test.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/fileconf.h>
#include <wx/window.h>

#include "platform/native_file_system.h"
#include "tests/support/fixed_clock.h"
#include "tests/support/recording_prompter.h"
#include "ui/ui_services.h"

namespace trelvan::testing {

struct FakeFileChooser : FileChooser {
  std::optional<wxString> ChooseFile(wxWindow* /*owner*/, const FileRequest& request) override {
    requests.push_back(request);
    return answer;
  }
  std::optional<wxString> answer;  // nothing: the user cancels
  std::vector<FileRequest> requests;
};

struct FakeMailSender : MailSender {
  MailResult Send(wxWindow* owner, const wxString& to, const wxString& subject) override {
    calls.push_back({to, subject, owner != nullptr && !owner->IsEnabled() ? "disabled" : ""});
    return result;
  }
  MailResult result = MailResult::kDone;
  std::vector<std::vector<wxString>> calls;  // to, subject, whether the About dialog waited
};

struct FakeLauncher : Launcher {
  LaunchResult Run(const std::vector<wxString>& argv) override {
    runs.push_back(argv);
    return result;
  }
  void Open(const wxString& target, wxWindow* /*owner*/) override { opened.push_back(target); }
  LaunchResult result{true, 0};
  std::vector<std::vector<wxString>> runs;
  std::vector<wxString> opened;
};

struct UiFakes {
  NativeFileSystem files;
  FixedClock clock{Date{2024, 3, 31}};
  RecordingPrompter prompter;
  FakeFileChooser chooser;
  FakeMailSender mail;
  FakeLauncher launcher;
  // A settings file of the tests' own, emptied before each test.
  wxFileConfig settings{"trelvan-ui-tests", "", wxFileName::CreateTempFileName("trelvan-ui"), "",
                        wxCONFIG_USE_LOCAL_FILE};
  bool platform_ready = true;
  int platform_initialisations = 0;
  UiServices services{files, clock, prompter, chooser, mail, launcher, settings, [this] {
                        ++platform_initialisations;
                        return platform_ready;
                      }};

  void Reset() {
    prompter = RecordingPrompter();
    chooser = FakeFileChooser();
    mail = FakeMailSender();
    launcher = FakeLauncher();
    settings.DeleteAll();
    platform_ready = true;
    platform_initialisations = 0;
  }
};

// The fakes the test program's application object was made with.
UiFakes& Fakes();

// While one exists, a modal dialog that no wxTEST_DIALOG expects is really shown instead of
// failing the test (for tests that end a dialog through its own keys).
class AllowRealModalDialogs {
 public:
  AllowRealModalDialogs();
  ~AllowRealModalDialogs();
};

// A per-test folder under the system's temporary directory, removed afterwards.
class UiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::string TempPath(const std::string& name) const;
  static std::string ReadFile(const std::string& path);
  static void WriteFile(const std::string& path, const std::string& bytes);

  std::string temp_dir_;
};

}  // namespace trelvan::testing
