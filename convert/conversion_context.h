// The seams a conversion is handed: files, the user, today's date.
#pragma once

#include "convert/file_system.h"
#include "convert/prompter.h"
#include "formats/date.h"

namespace trelvan {

struct ConversionContext {
  FileSystem& files;
  Prompter& prompter;
  Date today;  // the date the table header records
};

}  // namespace trelvan
