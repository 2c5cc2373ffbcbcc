#include "ui/launcher.h"

#include <string>

#include <wx/filefn.h>
#include <wx/log.h>
#include <wx/utils.h>
#include <wx/window.h>

#ifdef __WXMSW__
#include <wx/msw/wrapwin.h>

#include <shellapi.h>

#include "platform/windows_text.h"
#endif

namespace trelvan {

LaunchResult SystemLauncher::Run(const std::vector<wxString>& argv) {
  if (argv.empty()) return {};
  // wxExecute reports a program that is not there only as an exit code the program itself
  // could have returned, so look it up first.
  wxPathList search_path;
  search_path.AddEnvList("PATH");
  if (search_path.FindAbsoluteValidPath(argv[0]).empty()) return {};

  std::vector<const wxChar*> args;
  for (const wxString& arg : argv) args.push_back(arg.wc_str());
  args.push_back(nullptr);
  wxLogNull no_log_boxes;
  // wxEXEC_SYNC keeps repainting and disables every window until the program ends.
  const long code = wxExecute(args.data(), wxEXEC_SYNC);
  if (code == -1) return {};
  return {true, static_cast<int>(code)};
}

void SystemLauncher::Open(const wxString& target, wxWindow* owner) {
#ifdef __WXMSW__
  // The shell takes the address in the system code page.
  const std::string address = windows::AnsiFromWide(target.ToStdWstring());
  ::ShellExecuteA(owner ? static_cast<HWND>(owner->GetHWND()) : nullptr, "open", address.c_str(),
                  nullptr, nullptr, SW_SHOW);
#else
  (void)owner;
  wxLogNull no_log_boxes;  // a failing open stays silent
  wxLaunchDefaultBrowser(target);
#endif
}

}  // namespace trelvan
