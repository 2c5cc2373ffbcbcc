// The seams a conversion is handed: files, the user, today's date.
#pragma once

#include "convert/clock.h"
#include "convert/file_system.h"
#include "convert/prompter.h"

namespace trelvan {

struct ConversionContext {
  FileSystem& files;
  Prompter& prompter;
  const Clock& clock;
};

}  // namespace trelvan
