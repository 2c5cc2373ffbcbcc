// Cuts a memo's text into statement lines the way statement files are read: a line ends at
// CR LF, LF or a lone CR, or where the text ends; each line is padded with spaces or cut to
// 128 characters and given CR LF. An empty line between two line ends is a line of spaces.
//
// The text ends early at its end mark: a 0x1A that begins a line, or a 0x1A followed by 0x1A,
// a NUL byte or the end of the text (a 0x1A inside a line followed by anything else is data).
// Where the memo file gives no length (dBASE III), a NUL byte that begins a line is the zero
// padding of a memo that lost its end mark, and ends it too.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

#include "formats/abo_line.h"

namespace trelvan {

class MemoLineCutter {
 public:
  explicit MemoLineCutter(bool nul_ends_text) : nul_ends_text_(nul_ends_text) {}

  // Takes the next piece of the text and calls put(const char* line) for every line finished,
  // kLineWithEnd bytes. Returns false once the end mark was found: the rest is not text.
  template <typename Put>
  bool Feed(std::string_view text, Put&& put);
  // The text ended without an end mark: puts its last line, if it has begun.
  template <typename Put>
  void Finish(Put&& put);

 private:
  static constexpr char kEndMark = 0x1A;

  template <typename Put>
  void EndLine(Put&& put) {
    std::memset(line_ + used_, ' ', kLineWidth - used_);
    FinishLine(line_);
    put(static_cast<const char*>(line_));
    used_ = 0;
    started_ = false;
  }
  void Append(char c) {
    started_ = true;
    if (used_ < kLineWidth) line_[used_++] = c;
  }

  bool nul_ends_text_;
  bool ended_ = false;
  bool started_ = false;       // the current line has bytes
  bool after_cr_ = false;      // an LF now completes a CR LF
  bool pending_mark_ = false;  // a 0x1A inside a line, judged by the byte after it
  std::size_t used_ = 0;
  char line_[kLineWithEnd];
};

template <typename Put>
bool MemoLineCutter::Feed(std::string_view text, Put&& put) {
  for (std::size_t i = 0; i < text.size() && !ended_; ++i) {
    const char c = text[i];
    if (pending_mark_) {
      pending_mark_ = false;
      if (c == kEndMark || c == '\0') {
        EndLine(put);
        ended_ = true;
        break;
      }
      Append(kEndMark);
    }
    const bool after_cr = after_cr_;
    after_cr_ = false;
    if (c == '\r') {
      EndLine(put);
      after_cr_ = true;
    } else if (c == '\n') {
      if (!after_cr) EndLine(put);
    } else if (!started_ && (c == kEndMark || (c == '\0' && nul_ends_text_))) {
      ended_ = true;
    } else if (c == kEndMark) {
      pending_mark_ = true;
    } else if (started_ && used_ < kLineWidth) {
      // The bulk of a line: copy up to the next byte that needs a look.
      std::size_t end = i;
      const std::size_t limit =
          i + (kLineWidth - used_) < text.size() ? i + (kLineWidth - used_) : text.size();
      while (end < limit && text[end] != '\r' && text[end] != '\n' && text[end] != kEndMark) ++end;
      std::memcpy(line_ + used_, text.data() + i, end - i);
      used_ += end - i;
      i = end - 1;
    } else {
      Append(c);
    }
  }
  return !ended_;
}

template <typename Put>
void MemoLineCutter::Finish(Put&& put) {
  if (ended_) return;
  ended_ = true;
  if (started_ || pending_mark_) EndLine(put);
}

}  // namespace trelvan
