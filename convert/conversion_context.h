// The seams a conversion is handed: files, the user, today's date; and how to write a table.
#pragma once

#include <cstdint>

#include "convert/file_system.h"
#include "convert/prompter.h"
#include "convert/statement_checks.h"
#include "formats/date.h"

namespace trelvan {

struct ConversionContext {
  FileSystem& files;
  Prompter& prompter;
  Date today;  // the date the table header records
  // abo2dbf: the table's language driver byte (0 none, 0xC8 windows-1250).
  std::uint8_t table_language_driver = 0;
  // When set, hears about every statement the conversion reads (`trelvan-cli check`).
  const StatementSink* statements = nullptr;
};

}  // namespace trelvan
