#include "convert/memo_reader.h"

#include <limits>
#include <optional>

#include "formats/memo_lines.h"

namespace trelvan {

void MemoReader::CopyLines(std::int64_t block, BufferedWriter& out) {
  // A block inside the header (FoxPro counts small blocks from the file's start) or past any
  // file holds no memo; a widened OTHER_LN can hold numbers whose offset overflows.
  const std::int64_t header_blocks = static_cast<std::int64_t>(
      (kMemoFileHeaderSize + format_.block_size - 1) / format_.block_size);
  if (block < header_blocks ||
      block > std::numeric_limits<std::int64_t>::max() / format_.block_size) {
    return;
  }
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
  if (in_.Read(block_header, sizeof block_header) == sizeof block_header) {
    length = MemoTextLength(format_.family, block_header);
  } else if (format_.family == MemoFamily::kFoxPro) {
    return;
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
    if (!cutter.Feed(text, put)) return;
  }
  cutter.Finish(put);
}

}  // namespace trelvan
