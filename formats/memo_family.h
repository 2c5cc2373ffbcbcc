// The memo files of the dBASE family, as far as reading a memo's text needs them:
//  - dBASE III (.dbt): 512-byte blocks; a memo's text runs from its first block to 0x1A 0x1A.
//  - dBASE IV (.dbt): block size in the header (little-endian, bytes 20-21); each memo begins
//    with the block header FF FF 08 00 and its length, block header included (little-endian).
//  - FoxPro and Visual FoxPro (.fpt): block size in the header (big-endian, bytes 6-7); each
//    memo begins with its type and the length of its text (both big-endian, 4 bytes each).
// The family is chosen by the table's version byte and confirmed by the memo file's header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace trelvan {

enum class MemoFamily { kDbase3, kDbase4, kFoxPro };

struct MemoFormat {
  MemoFamily family = MemoFamily::kDbase3;
  std::uint32_t block_size = 512;
};

inline constexpr std::size_t kMemoFileHeaderSize = 512;
inline constexpr std::size_t kMemoBlockHeaderSize = 8;

// Recognises the memo file of a table with this version byte from its first
// kMemoFileHeaderSize bytes (fewer when the file is shorter) and its length. Nothing when the
// file is none of the family: its header block is cut short or points past the file's end.
// An empty file holds no memo and passes.
std::optional<MemoFormat> RecognizeMemoFile(std::uint8_t table_version, std::string_view header,
                                            std::int64_t file_size);

// The length of a memo's text from the kMemoBlockHeaderSize bytes at its first block. Nothing
// when the memo has no block header: in a .dbt file the dBASE IV block header is taken
// wherever it stands and a memo without it is read to its end mark, so that a dBASE III
// table with dBASE IV memos, and the other way round, still reads.
std::optional<std::uint64_t> MemoTextLength(MemoFamily family, const char* block_header);

}  // namespace trelvan
