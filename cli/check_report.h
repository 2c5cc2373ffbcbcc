// The report of `trelvan-cli check` on one file, as text for people or as one line of JSON.
#pragma once

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "convert/prompter.h"
#include "convert/statement_checks.h"

namespace trelvan {

// What reading one file gave: its statements, and the messages a conversion of it showed.
struct CheckedFile {
  bool table = false;  // a table; else a statement file
  bool read = false;   // false: the file could not be read, `errors` says why
  std::vector<StatementReport> statements;
  std::vector<std::pair<MessageStyle, std::string>> notes;  // warnings and information
  std::vector<std::string> errors;
  // True when it was read, every statement holds and no note is a warning.
  bool Holds() const;
};

// Each statement with its checks, the notes and the verdict; nothing for a file not read.
void PrintCheckText(const std::string& path, const CheckedFile& file, std::ostream& out);

// One JSON object on one line: file, kind, statements, notes, passed; or file, kind, error.
void PrintCheckJson(const std::string& path, const CheckedFile& file, std::ostream& out);

}  // namespace trelvan
