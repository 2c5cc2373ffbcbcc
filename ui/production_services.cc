#include "ui/production_services.h"

#include "platform/interruption_cleanup.h"

#ifdef __WXMSW__
#include <wx/msw/regconf.h>
#include <wx/msw/wrapwin.h>

#include <ole2.h>
#else
#include <wx/fileconf.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/utils.h>
#endif

namespace trelvan {

namespace {

std::unique_ptr<MailSender> PlatformMail(Launcher& launcher) {
#ifdef __WXMSW__
  (void)launcher;
  return std::make_unique<MapiMailSender>();
#else
  return std::make_unique<DesktopMailSender>(launcher);
#endif
}

// HKEY_CURRENT_USER\Software\Trelvan Software\TRELVAN on Windows, the user's configuration
// folder ($XDG_CONFIG_HOME/trelvan.conf) elsewhere.
std::unique_ptr<wxConfigBase> UserSettings() {
#ifdef __WXMSW__
  return std::make_unique<wxRegConfig>("TRELVAN", "Trelvan Software");
#else
  // Worked out by hand: the services are made before the application object is set up.
  wxString folder = wxGetenv("XDG_CONFIG_HOME");
  if (folder.empty() || !wxIsAbsolutePath(folder)) folder = wxGetHomeDir() + "/.config";
  if (!wxDirExists(folder)) wxFileName::Mkdir(folder, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
  return std::make_unique<wxFileConfig>("trelvan", wxEmptyString, folder + "/trelvan.conf",
                                        wxEmptyString, wxCONFIG_USE_LOCAL_FILE);
#endif
}

}  // namespace

ProductionServices::ProductionServices()
    : mail_(PlatformMail(launcher_)),
      settings_(UserSettings()),
      services_{files_, clock_,    prompter_,  chooser_,
                *mail_, launcher_, *settings_, [this] { return InitialisePlatform(); }} {}

ProductionServices::~ProductionServices() {
#ifdef __WXMSW__
  if (platform_initialised_) ::OleUninitialize();
#endif
}

bool ProductionServices::InitialisePlatform() {
  // A conversion cut short by a termination request leaves no half-written file behind.
  interruption::RemoveTemporariesOnInterruption();
#ifdef __WXMSW__
  // Already initialised (S_FALSE) counts as success and needs its own uninitialisation.
  platform_initialised_ = SUCCEEDED(::OleInitialize(nullptr));
#else
  platform_initialised_ = true;
#endif
  return platform_initialised_;
}

}  // namespace trelvan
