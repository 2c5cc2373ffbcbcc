// Reads memos of any memo family (see formats/memo_family.h) as statement lines.
//
// Rows sorted by another program ask for memos in no particular order. At the first memo out of
// file order the whole memo file is read into memory, when it is not larger than
// kMemoFileHeldInMemory, so that each later memo costs no call of its own. A larger file is read
// where each memo lies: a read after a jump fetches only a block, and reading on from there
// grows the reads again (see BufferedReader).
#pragma once

#include <cstdint>

#include "convert/buffered_io.h"
#include "formats/memo_family.h"

namespace trelvan {

// Half a million one-block memos: the memo file of some 2.5 million items when one in five has
// memo lines. A 64-bit process that converts such a table has that much memory to spare; a larger
// file, or an allocation that fails, is read in place.
inline constexpr std::int64_t kMemoFileHeldInMemory = 256 << 20;

class MemoReader {
 public:
  MemoReader(File& file, MemoFormat format) : in_(file), format_(format) {}

  // Writes the lines of the memo that begins at `block` to `out`. A block inside the header
  // holds no memo and has no lines. Returns false when the file ends before the memo does: its
  // block lies past the end, or its text is shorter than the length in its block header; the
  // whole lines that are there are written. A dBASE III memo that runs to the end without its
  // end mark is whole: writers often leave the last mark out.
  bool CopyLines(std::int64_t block, BufferedWriter& out);

 private:
  BufferedReader in_;
  MemoFormat format_;
  std::int64_t last_start_ = 0;
  bool out_of_order_ = false;
};

}  // namespace trelvan
