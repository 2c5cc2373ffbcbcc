// wxTEST_DIALOG reporting through GoogleTest: an unmet or unexpected dialog fails the test,
// and an unexpected dialog is cancelled instead of being shown (it would wait for a user).
#pragma once

#include <gtest/gtest.h>

class GTestModalHook;
#define wxTEST_DIALOG_HOOK_CLASS GTestModalHook
#include <wx/testing.h>

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
