// What the dialogs are handed instead of reaching for the platform: files and today's date for
// the conversions, message boxes, the file chooser, the mail layer, the launcher, the user's
// settings, and the platform set-up the application needs before its first window.
#pragma once

#include <functional>

#include "convert/file_system.h"
#include "convert/prompter.h"
#include "platform/clock.h"
#include "ui/file_chooser.h"
#include "ui/launcher.h"
#include "ui/mail.h"

class wxConfigBase;

namespace trelvan {

struct UiServices {
  FileSystem& files;
  const Clock& clock;
  Prompter& prompter;
  FileChooser& chooser;
  MailSender& mail;
  Launcher& launcher;
  // Where the paths are remembered between runs.
  wxConfigBase& settings;
  // Returns false when the platform's services could not be set up; the program then stops.
  std::function<bool()> initialise_platform;
};

}  // namespace trelvan
