#include "convert/abo_line_reader.h"

#include <cstdint>
#include <cstring>

namespace trelvan {
namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr char kDosEndOfFile = 0x1A;
static_assert(kLineWidth % 8 == 0, "standard lines are checked eight bytes at a time");

// The first CR or LF in `bytes`, or its end.
std::size_t FindLineEnd(std::string_view bytes) {
  const void* lf = std::memchr(bytes.data(), '\n', bytes.size());
  const std::size_t limit =
      lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - bytes.data()) : bytes.size();
  const void* cr = std::memchr(bytes.data(), '\r', limit);
  return cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - bytes.data()) : limit;
}

// True when `bytes` is a standard line: kLineWidth characters, none below 0x0E, then CR LF.
// Checking for any byte below 0x0E covers CR and LF in one test per eight bytes; the rare line
// with another such byte takes the general way, which gives the same result.
bool IsStandardLine(std::string_view bytes) {
  if (bytes.size() < kLineWithEnd || bytes[kLineWidth] != '\r' || bytes[kLineWidth + 1] != '\n') {
    return false;
  }
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  constexpr std::uint64_t kHighs = 0x8080808080808080u;
  std::uint64_t below = 0;
  for (std::size_t i = 0; i < kLineWidth; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes.data() + i, 8);
    below |= (word - kOnes * 0x0E) & ~word & kHighs;
  }
  return below == 0;
}

}  // namespace

bool AboLineReader::Next(char* line) {
  if (!started_) {
    started_ = true;
    const std::string_view head = in_.Peek();
    if (head.substr(0, 3) == kByteOrderMark) in_.Consume(3);
  }
  // Nearly every line of a real file is standard; it needs no search for its end.
  const std::string_view ahead = in_.Peek();
  if (IsStandardLine(ahead)) {
    std::memcpy(line, ahead.data(), kLineWidth);
    in_.Consume(kLineWithEnd);
    line_number_ = ++ends_seen_;
    return true;
  }
  for (;;) {
    std::size_t length = 0;  // the whole line's length, cut or not
    char last = 0;
    bool ended = false;  // by a line end, not by the end of the file
    for (;;) {
      const std::string_view available = in_.Peek();
      if (available.empty()) break;
      const std::size_t run = FindLineEnd(available);
      if (length < kLineWidth) {
        const std::size_t keep = run < kLineWidth - length ? run : kLineWidth - length;
        std::memcpy(line + length, available.data(), keep);
      }
      if (run > 0) last = available[run - 1];
      length += run;
      in_.Consume(run);
      if (run < available.size()) {
        const char end = available[run];
        in_.Consume(1);
        if (end == '\r') {
          const std::string_view after = in_.Peek();
          if (!after.empty() && after[0] == '\n') in_.Consume(1);
        }
        ended = true;
        break;
      }
    }
    // A lone 0x1A closing the file is the old end-of-file mark, not data.
    if (!ended && length > 0 && last == kDosEndOfFile) --length;
    line_number_ = ++ends_seen_;
    if (length == 0) {
      if (!ended) return false;
      continue;
    }
    if (length > kLineWidth) {
      ++truncated_lines_;
    } else {
      std::memset(line + length, ' ', kLineWidth - length);
    }
    return true;
  }
}

}  // namespace trelvan
