// The memo file (.dbt) of the statement table: 512-byte blocks, block 0 the header. A memo
// starts at a block boundary, holds its lines of 130 bytes one after another and ends with two
// bytes 0x1A, padded with zero bytes to the next block boundary.
#pragma once

#include <cstddef>
#include <cstdint>

namespace trelvan {

inline constexpr std::size_t kMemoBlockSize = 512;
inline constexpr std::size_t kMemoHeaderImageSize = 17;
inline constexpr char kMemoVersion = 0x03;
inline constexpr char kMemoTerminator = 0x1A;

// Writes the 17 significant bytes of the header block: the next free block and the version.
// The other 495 bytes of block 0 are zero.
void EncodeMemoHeader(std::uint32_t next_free_block, char out[kMemoHeaderImageSize]);

// The number of zero bytes that pad a memo ending at `length` to a block boundary.
inline std::size_t MemoPadding(std::int64_t length) {
  const auto rest = static_cast<std::size_t>(length % static_cast<std::int64_t>(kMemoBlockSize));
  return rest == 0 ? 0 : kMemoBlockSize - rest;
}

}  // namespace trelvan
