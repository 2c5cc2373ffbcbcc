#include "ui/production_services.h"

#ifdef __WXMSW__
#include <wx/msw/wrapwin.h>

#include <ole2.h>
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

}  // namespace

ProductionServices::ProductionServices()
    : mail_(PlatformMail(launcher_)), services_{files_,
                                                clock_,
                                                prompter_,
                                                chooser_,
                                                *mail_,
                                                launcher_,
                                                [this] { return InitialisePlatform(); }} {}

ProductionServices::~ProductionServices() {
#ifdef __WXMSW__
  if (platform_initialised_) ::OleUninitialize();
#endif
}

bool ProductionServices::InitialisePlatform() {
#ifdef __WXMSW__
  // Already initialised (S_FALSE) counts as success and needs its own uninitialisation.
  platform_initialised_ = SUCCEEDED(::OleInitialize(nullptr));
#else
  platform_initialised_ = true;
#endif
  return platform_initialised_;
}

}  // namespace trelvan
