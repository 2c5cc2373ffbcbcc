// trelvan-cli check: what each statement of each file holds and whether it adds up.
//
// A file is read exactly as a conversion reads it (a statement file as abo2dbf does, a table as
// dbf2abo does), with the outputs thrown away, so that check reports the same statements,
// checks and warnings as a conversion of that file would.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "convert/conversion_context.h"

namespace trelvan {

struct CheckRequest {
  std::vector<std::string> files;
  bool json = false;   // one JSON object per file and line, instead of text
  bool quiet = false;  // no text report; the exit status alone tells
};

// Checks every file. Returns 0 when all statements hold, 3 when a check failed or a warning was
// given, 1 when a file could not be read.
int RunCheck(const CheckRequest& request, FileSystem& files, Date today, std::ostream& out,
             std::ostream& err);

// True when `head`, the first bytes of a file, starts like a dBASE table: a version byte, a
// date of month 1-12 and day 1-31, and a header length that holds at least one field.
bool LooksLikeTable(std::string_view head);

}  // namespace trelvan
