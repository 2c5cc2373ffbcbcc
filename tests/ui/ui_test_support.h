// What the UI tests share: wxTEST_DIALOG reporting through GoogleTest (an unmet or unexpected
// dialog fails the test and is cancelled instead of waiting for a user), the stand-ins for the
// user's choices and the desktop that the application object was made with (reset before each
// test), and a per-test folder.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

class GTestModalHook;
#define wxTEST_DIALOG_HOOK_CLASS GTestModalHook
#include <wx/fileconf.h>
#include <wx/testing.h>

#include "platform/native_file_system.h"
#include "tests/support/fixed_clock.h"
#include "tests/support/recording_prompter.h"
#include "ui/ui_services.h"

class GTestModalHook : public wxTestingModalHook {
 public:
  GTestModalHook(const char* file, int line, const char* func)
      : wxTestingModalHook(file, line, func), file_(file), line_(line) {}

 protected:
  int Enter(wxDialog* dialog) override {
    const int result = wxTestingModalHook::Enter(dialog);
    return result == wxID_NONE ? wxID_CANCEL : result;
  }
  void ReportFailure(const wxString& message) override {
    ADD_FAILURE_AT(file_, line_) << message.utf8_string();
  }

 private:
  const char* file_;
  int line_;
};

namespace trelvan::testing {

struct FakeFileChooser : FileChooser {
  std::optional<wxString> ChooseFile(wxWindow* /*owner*/, const FileRequest& request) override {
    requests.push_back(request);
    return answer;
  }
  std::optional<wxString> answer;  // nothing: the user cancels
  std::vector<FileRequest> requests;
};

// The mail program and the launcher: every call as a list of words.
struct FakeDesktop : MailSender, Launcher {
  MailResult Send(wxWindow* owner, const wxString& to, const wxString& subject) override {
    calls.push_back({"mail", to, subject, owner && !owner->IsEnabled() ? "waiting" : "-"});
    return mail_result;
  }
  LaunchResult Run(const std::vector<wxString>& argv) override {
    calls.push_back(argv);
    return run_result;
  }
  void Open(const wxString& target, wxWindow* /*owner*/) override {
    calls.push_back({"open", target});
  }
  MailResult mail_result = MailResult::kDone;
  LaunchResult run_result{true, 0};
  std::vector<std::vector<wxString>> calls;
};

struct UiFakes {
  NativeFileSystem files;
  FixedClock clock{Date{2024, 3, 31}};
  RecordingPrompter prompter;
  FakeFileChooser chooser;
  FakeDesktop desktop;
  wxFileConfig settings{"trelvan-tests", "", "", "", 0};  // in memory only
  bool platform_ready = true;
  int platform_initialisations = 0;
  UiServices services{files, clock, prompter, chooser, desktop, desktop, settings, [this] {
                        ++platform_initialisations;
                        return platform_ready;
                      }};
};

UiFakes& Fakes();

// Resets the fakes (before a fixture's own members are made); a per-test folder under the
// system's temporary directory.
class UiTest : public ::testing::Test {
 protected:
  UiTest();
  ~UiTest() override;
  std::string TempPath(const std::string& name) const;
  static void WriteFile(const std::string& path, const std::string& bytes);

  std::string temp_dir_;
};

}  // namespace trelvan::testing
