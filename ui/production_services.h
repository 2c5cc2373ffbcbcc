// The real services behind UiServices: the platform's files and clock, wx message boxes and
// file chooser, the platform's mail and launcher, the user's settings.
#pragma once

#include <memory>

#include <wx/config.h>

#include "platform/native_file_system.h"
#include "platform/system_clock.h"
#include "ui/ui_services.h"
#include "ui/wx_prompter.h"

namespace trelvan {

class ProductionServices {
 public:
  ProductionServices();
  ~ProductionServices();
  ProductionServices(const ProductionServices&) = delete;
  ProductionServices& operator=(const ProductionServices&) = delete;

  UiServices& services() { return services_; }

 private:
  // OLE on Windows (paired with its uninitialisation at exit); nothing to do elsewhere.
  bool InitialisePlatform();

  NativeFileSystem files_;
  SystemClock clock_;
  WxPrompter prompter_;
  WxFileChooser chooser_;
  SystemLauncher launcher_;
  std::unique_ptr<MailSender> mail_;
  std::unique_ptr<wxConfigBase> settings_;
  bool platform_initialised_ = false;
  UiServices services_;
};

}  // namespace trelvan
