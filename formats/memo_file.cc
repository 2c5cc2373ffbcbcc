#include "formats/memo_file.h"

#include <cstring>

#include "formats/byte_order.h"

namespace trelvan {

void EncodeMemoHeader(std::uint32_t next_free_block, char out[kMemoHeaderImageSize]) {
  std::memset(out, 0, kMemoHeaderImageSize);
  WriteU32Le(out, next_free_block);
  out[16] = kMemoVersion;
}

}  // namespace trelvan
