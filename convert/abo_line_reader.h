// Finds the lines of an ABO statement file by their line ends. Banks trim trailing blanks, use
// LF or CR line ends, leave the last line without one, or start with a UTF-8 byte order mark;
// exact 130-byte records are only the common case.
//
// A line is the bytes up to CR LF, LF or a lone CR (the last line may have none). Its first
// 128 characters, padded with spaces, are the line; longer lines are cut and counted. Empty
// lines are skipped; byte order marks and 0x1A end-of-file bytes at the start of a line (files
// joined with `cat`) are skipped, and so is a 0x1A as the very last byte of the file.
//
// A file that starts with a UTF-8 or UTF-16 byte order mark, or whose first bytes of 0x80 and
// more read as UTF-8, is turned into windows-1250 before its lines are cut, so that positions
// count characters. Any other file is read byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "convert/buffered_io.h"
#include "convert/windows1250_transcoder.h"
#include "formats/abo_line.h"

namespace trelvan {

// True when a line of `length` characters ends inside the fields a conversion reads: a header
// line before the end of its statement date, an item line before its code.
constexpr bool IsIncompleteLine(LineKind kind, std::size_t length) {
  switch (kind) {
    case LineKind::kHeader:
      return length < header_line::kStatementDate.position + header_line::kStatementDate.width - 1;
    case LineKind::kItem:
      return length < item_line::kCode.position + item_line::kCode.width - 1;
    case LineKind::kOther:
      break;
  }
  return false;
}

class AboLineReader {
 public:
  explicit AboLineReader(BufferedReader& in) : in_(in) {}

  // Fills `line` with the next line's kLineWidth characters; false at the end of the file.
  bool Next(char* line);
  // The line number in the file (from 1, empty lines counted) of the line Next returned last.
  unsigned line_number() const { return line_number_; }
  // How many characters the line Next returned last had before it was padded or cut.
  std::size_t line_length() const { return line_length_; }
  // How many lines were longer than kLineWidth and were cut.
  unsigned truncated_lines() const { return truncated_lines_; }
  // What the file was converted from; kWindows1250 when it was read byte for byte (a UTF-8
  // byte order mark before nothing but ASCII and windows-1250 bytes changes nothing).
  TextEncoding encoding() const {
    const bool unchanged = encoding_ == TextEncoding::kUtf8 && transcoder_->decoded() == 0;
    return unchanged ? TextEncoding::kWindows1250 : encoding_;
  }
  // How many characters windows-1250 lacks and that became "?".
  std::uint64_t unmappable_characters() const {
    return transcoder_ ? transcoder_->unmappable() : 0;
  }

 private:
  std::string_view Peek() { return transcoder_ ? transcoder_->Peek() : in_.Peek(); }
  void Consume(std::size_t n) { transcoder_ ? transcoder_->Consume(n) : in_.Consume(n); }
  void Start();
  void SkipLineStart();
  void DecideEncoding();

  BufferedReader& in_;
  std::optional<Windows1250Transcoder> transcoder_;
  TextEncoding encoding_ = TextEncoding::kWindows1250;
  bool started_ = false;
  bool undecided_ = true;  // no mark and no byte of 0x80 or more seen yet
  unsigned line_number_ = 0;
  unsigned ends_seen_ = 0;
  std::size_t line_length_ = 0;
  unsigned truncated_lines_ = 0;
};

}  // namespace trelvan
