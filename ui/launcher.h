// Starting other programs: the desktop's helpers on Linux, the shell's "open" everywhere.
#pragma once

#include <vector>

#include <wx/string.h>

class wxWindow;

namespace trelvan {

struct LaunchResult {
  bool started = false;  // false: the program is not installed or could not be run
  int exit_code = 0;
};

class Launcher {
 public:
  virtual ~Launcher() = default;
  // Runs a program found on the search path and waits for it; the application's windows stay
  // painted but take no input meanwhile.
  virtual LaunchResult Run(const std::vector<wxString>& argv) = 0;
  // Hands a web address to the platform's "open" (the default browser); whatever happens is
  // not reported.
  virtual void Open(const wxString& target, wxWindow* owner) = 0;
};

class SystemLauncher : public Launcher {
 public:
  LaunchResult Run(const std::vector<wxString>& argv) override;
  void Open(const wxString& target, wxWindow* owner) override;
};

}  // namespace trelvan
