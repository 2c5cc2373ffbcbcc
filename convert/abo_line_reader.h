// Finds the lines of an ABO statement file by their line ends. Banks trim trailing blanks, use
// LF or CR line ends, leave the last line without one, or start with a UTF-8 byte order mark;
// exact 130-byte records are only the common case.
//
// A line is the bytes up to CR LF, LF or a lone CR (the last line may have none). Its first
// 128 characters, padded with spaces, are the line; longer lines are cut and counted. Empty
// lines are skipped, a byte order mark at the very start is skipped, and a 0x1A as the very
// last byte of the file is not part of any line.
#pragma once

#include <cstddef>

#include "convert/buffered_io.h"
#include "formats/abo_line.h"

namespace trelvan {

class AboLineReader {
 public:
  explicit AboLineReader(BufferedReader& in) : in_(in) {}

  // Fills `line` with the next line's kLineWidth characters; false at the end of the file.
  bool Next(char* line);
  // The line number in the file (from 1, empty lines counted) of the line Next returned last.
  unsigned line_number() const { return line_number_; }
  // How many lines were longer than kLineWidth and were cut.
  unsigned truncated_lines() const { return truncated_lines_; }

 private:
  BufferedReader& in_;
  bool started_ = false;
  unsigned line_number_ = 0;
  unsigned ends_seen_ = 0;
  unsigned truncated_lines_ = 0;
};

}  // namespace trelvan
