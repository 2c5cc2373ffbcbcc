// Reads memos of any memo family (see formats/memo_family.h) as statement lines.
//
// Rows sorted by another program ask for memos in no particular order, so a read after a jump
// fetches only a few kilobytes instead of a whole buffer; reading on from there grows the
// reads again (see BufferedReader).
#pragma once

#include <cstdint>

#include "convert/buffered_io.h"
#include "formats/memo_family.h"

namespace trelvan {

class MemoReader {
 public:
  MemoReader(File& file, MemoFormat format) : in_(file), format_(format) {}

  // Writes the lines of the memo that begins at `block` to `out`. A memo past the end of the
  // file or inside its header block has no lines.
  void CopyLines(std::int64_t block, BufferedWriter& out);

 private:
  BufferedReader in_;
  MemoFormat format_;
};

}  // namespace trelvan
