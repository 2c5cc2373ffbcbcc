// Shared by the UI tests: the fakes the application object was made with, a per-test folder.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <wx/fileconf.h>
#include <wx/testing.h>

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

// The mail program and the browser: every call as a list of words.
struct FakeDesktop : MailSender, Launcher {
  MailResult Send(wxWindow* owner, const wxString& to, const wxString& subject) override {
    calls.push_back({"mail", to, subject, owner && !owner->IsEnabled() ? "waiting" : "-"});
    return mail_result;
  }
  LaunchResult Run(const std::vector<wxString>& /*argv*/) override { return {false, 0}; }
  void Open(const wxString& target, wxWindow* /*owner*/) override {
    calls.push_back({"open", target});
  }
  MailResult mail_result = MailResult::kDone;
  std::vector<std::vector<wxString>> calls;
};

struct UiFakes {
  NativeFileSystem files;
  FixedClock clock{Date{2024, 3, 31}};
  RecordingPrompter prompter;
  FakeFileChooser chooser;
  FakeDesktop desktop;
  wxFileConfig settings{"trelvan-tests", "", "", "", 0};  // in memory only
  UiServices services{files,   clock,   prompter, chooser,
                      desktop, desktop, settings, [] { return true; }};
};

UiFakes& Fakes();

// Resets the fakes before each test; TempPath names a file in the test's own folder (UTF-8).
class UiTest : public ::testing::Test {
 protected:
  UiTest();
  ~UiTest() override;
  std::string TempPath(const std::string& name) const;
  static void WriteFile(const std::string& path, const std::string& bytes);
  std::string temp_dir_;
};

}  // namespace trelvan::testing
