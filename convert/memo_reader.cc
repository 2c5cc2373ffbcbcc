#include "convert/memo_reader.h"

#include <limits>
#include <optional>

#include "formats/memo_lines.h"

namespace trelvan {

bool MemoReader::CopyLines(std::int64_t block, BufferedWriter& out) {
  // A block inside the header (FoxPro counts small blocks from the file's start) holds no memo.
  // A widened OTHER_LN can hold numbers whose offset overflows: past the end of any file.
  const std::int64_t header_blocks = static_cast<std::int64_t>(
      (kMemoFileHeaderSize + format_.block_size - 1) / format_.block_size);
  if (block < header_blocks) return true;
  if (block > std::numeric_limits<std::int64_t>::max() / format_.block_size) return false;
  const std::int64_t start = block * format_.block_size;
  // Back before the memo read last, or well past where reading stands.
  if (!out_of_order_ &&
      (start < last_start_ || start > in_.position() + static_cast<std::int64_t>(kIoBufferSize))) {
    out_of_order_ = true;
    in_.HoldWholeFile(kMemoFileHeldInMemory);
  }
  last_start_ = start;
  in_.SeekTo(start);
  char block_header[kMemoBlockHeaderSize];
  std::optional<std::uint64_t> length;
  const std::size_t got = in_.Read(block_header, sizeof block_header);
  if (got == sizeof block_header) {
    length = MemoTextLength(format_.family, block_header);
  } else if (got == 0 || format_.family == MemoFamily::kFoxPro) {
    return false;
  }
  if (!length) in_.SeekTo(start);
  std::uint64_t left = length.value_or(std::numeric_limits<std::uint64_t>::max());

  MemoLineCutter cutter(/*nul_ends_text=*/!length);
  const auto put = [&out](const char* line) { out.Write(line, kLineWithEnd); };
  while (left > 0) {
    std::string_view text = in_.Peek();
    if (text.empty()) break;
    if (text.size() > left) text = text.substr(0, static_cast<std::size_t>(left));
    in_.Consume(text.size());
    left -= text.size();
    if (!cutter.Feed(text, put)) return true;
  }
  cutter.Finish(put);
  return !length || left == 0;
}

}  // namespace trelvan
