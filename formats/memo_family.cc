#include "formats/memo_family.h"

#include <cstring>

#include "formats/byte_order.h"
#include "formats/table_layout.h"

namespace trelvan {
namespace {

std::uint32_t ReadU32Be(const char* p) {
  const auto* b = reinterpret_cast<const unsigned char*>(p);
  return (static_cast<std::uint32_t>(b[0]) << 24) | (static_cast<std::uint32_t>(b[1]) << 16) |
         (static_cast<std::uint32_t>(b[2]) << 8) | b[3];
}

std::uint16_t ReadU16Be(const char* p) {
  const auto* b = reinterpret_cast<const unsigned char*>(p);
  return static_cast<std::uint16_t>((b[0] << 8) | b[1]);
}

constexpr char kDbase4BlockMark[4] = {'\xFF', '\xFF', '\x08', '\x00'};

// Writers leave the last memo unpadded, so the next free block may lie one block past the end.
bool NextFreeBlockFits(std::uint32_t next_free, std::uint32_t block_size, std::int64_t file_size) {
  return static_cast<std::int64_t>(next_free) * block_size <= file_size + block_size;
}

}  // namespace

std::optional<MemoFormat> RecognizeMemoFile(std::uint8_t table_version, std::string_view header,
                                            std::int64_t file_size) {
  MemoFormat format;
  if (file_size == 0) return format;  // holds no memo: nothing to misread
  if (header.size() < kMemoFileHeaderSize) return std::nullopt;
  std::uint32_t next_free = ReadU32Le(header.data());
  if (HasFoxProMemo(table_version)) {
    format.family = MemoFamily::kFoxPro;
    format.block_size = ReadU16Be(header.data() + 6);
    next_free = ReadU32Be(header.data());
  } else if (HasDbase4Memo(table_version)) {
    format.family = MemoFamily::kDbase4;
    const std::uint16_t block_size = ReadU16Le(header.data() + 20);
    if (block_size != 0) format.block_size = block_size;
  }
  if (format.block_size == 0 || !NextFreeBlockFits(next_free, format.block_size, file_size)) {
    return std::nullopt;
  }
  return format;
}

std::optional<std::uint64_t> MemoTextLength(MemoFamily family, const char* block_header) {
  if (family == MemoFamily::kFoxPro) return ReadU32Be(block_header + 4);
  if (std::memcmp(block_header, kDbase4BlockMark, sizeof kDbase4BlockMark) != 0) {
    return std::nullopt;
  }
  const std::uint32_t length = ReadU32Le(block_header + 4);
  return length < kMemoBlockHeaderSize ? 0 : length - kMemoBlockHeaderSize;
}

}  // namespace trelvan
