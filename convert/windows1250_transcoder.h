// Statement files saved as UTF-8 or UTF-16 (by an editor, or "Unicode" in Notepad) are turned
// into windows-1250 as they are read, so that positions in a line count characters again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "convert/buffered_io.h"

namespace trelvan {

enum class TextEncoding { kWindows1250, kUtf8, kUtf16LittleEndian, kUtf16BigEndian };

// The encoding that a byte order mark at the start of `head` names, and the mark's length in
// `mark_length`; kWindows1250 and 0 when `head` starts with none.
TextEncoding EncodingByByteOrderMark(std::string_view head, std::size_t& mark_length);

// Reads a UTF-8 sequence of two to four bytes from the start of `bytes` into `code_point`.
// Returns its length; 0 when the bytes are no valid sequence (overlong forms, surrogates and
// values above U+10FFFF included), -1 when a valid start is cut by the end of `bytes`.
int DecodeUtf8Sequence(std::string_view bytes, char32_t& code_point);

// True when `window`, which starts at a byte of 0x80 or more, reads as UTF-8: every such byte
// in it starts or continues a valid multi-byte sequence. Windows-1250 text almost never does:
// its accented letters are single bytes followed by ASCII.
bool LooksLikeUtf8(std::string_view window);

// The windows-1250 bytes of a UTF-8 or UTF-16 byte stream. A character the code page lacks
// becomes "?" and is counted; U+FEFF (a byte order mark, also one inside a file made by
// joining files) is dropped. In UTF-8, a byte that starts no valid sequence is kept as it is:
// such a file is windows-1250 text in part.
class Windows1250Transcoder {
 public:
  Windows1250Transcoder(BufferedReader& in, TextEncoding from) : in_(in), from_(from) {}

  // The converted bytes not consumed yet; empty only at the end of the input.
  std::string_view Peek();
  void Consume(std::size_t n) { begin_ += n; }
  // How many characters became "?".
  std::uint64_t unmappable() const { return unmappable_; }
  // How many characters were read from a multi-byte sequence, the ones dropped included.
  std::uint64_t decoded() const { return decoded_; }

 private:
  void Put(char32_t code_point);
  void DecodeUtf8();
  void DecodeUtf16();

  BufferedReader& in_;
  TextEncoding from_;
  std::string out_;
  std::size_t begin_ = 0;
  std::uint64_t unmappable_ = 0;
  std::uint64_t decoded_ = 0;
};

}  // namespace trelvan
