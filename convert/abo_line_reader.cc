#include "convert/abo_line_reader.h"

#include <cstdint>
#include <cstring>

namespace trelvan {
namespace {

constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";
constexpr char kDosEndOfFile = 0x1A;
// How much of the file decides between UTF-8 and windows-1250 at its first byte of 0x80 or more.
constexpr std::size_t kSniffWindow = 4096;
static_assert(kLineWidth % 8 == 0, "standard lines are checked eight bytes at a time");

// The first CR or LF in `bytes`, or its end.
std::size_t FindLineEnd(std::string_view bytes) {
  const void* lf = std::memchr(bytes.data(), '\n', bytes.size());
  const std::size_t limit =
      lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - bytes.data()) : bytes.size();
  const void* cr = std::memchr(bytes.data(), '\r', limit);
  return cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - bytes.data()) : limit;
}

bool HasHighByte(std::string_view bytes) {
  for (const char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

// True when `bytes` is a standard line: kLineWidth characters, none below 0x0E, then CR LF;
// `high` tells whether any of them is 0x80 or more. Checking for any byte below 0x0E covers CR
// and LF in one test per eight bytes; the rare line with another such byte takes the general
// way, which gives the same result.
bool IsStandardLine(std::string_view bytes, bool& high) {
  if (bytes.size() < kLineWithEnd || bytes[kLineWidth] != '\r' || bytes[kLineWidth + 1] != '\n') {
    return false;
  }
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  constexpr std::uint64_t kHighs = 0x8080808080808080u;
  std::uint64_t below = 0;
  std::uint64_t highs = 0;
  for (std::size_t i = 0; i < kLineWidth; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes.data() + i, 8);
    below |= (word - kOnes * 0x0E) & ~word & kHighs;
    highs |= word & kHighs;
  }
  high = highs != 0;
  return below == 0;
}

}  // namespace

void AboLineReader::Start() {
  started_ = true;
  std::size_t mark_length = 0;
  const TextEncoding encoding = EncodingByByteOrderMark(in_.Peek(3), mark_length);
  in_.Consume(mark_length);
  if (encoding != TextEncoding::kWindows1250) {
    encoding_ = encoding;
    transcoder_.emplace(in_, encoding);
    undecided_ = false;
  }
}

void AboLineReader::DecideEncoding() {
  undecided_ = false;
  if (LooksLikeUtf8(in_.Peek(kSniffWindow).substr(0, kSniffWindow))) {
    encoding_ = TextEncoding::kUtf8;
    transcoder_.emplace(in_, TextEncoding::kUtf8);
  }
}

void AboLineReader::SkipLineStart() {
  for (;;) {
    // A converted file has lost its marks already.
    const std::string_view head = transcoder_ ? transcoder_->Peek() : in_.Peek(3);
    if (!head.empty() && head[0] == kDosEndOfFile) {
      Consume(1);
    } else if (!transcoder_ && head.substr(0, 3) == kUtf8ByteOrderMark) {
      in_.Consume(3);
    } else {
      return;
    }
  }
}

bool AboLineReader::Next(char* line) {
  if (!started_) Start();
  SkipLineStart();
  // Nearly every line of a real file is standard; it needs no search for its end.
  bool high = false;
  std::string_view ahead = Peek();
  if (IsStandardLine(ahead, high) && high && undecided_) {
    DecideEncoding();
    ahead = Peek();
  }
  if (IsStandardLine(ahead, high)) {
    std::memcpy(line, ahead.data(), kLineWidth);
    Consume(kLineWithEnd);
    line_number_ = ++ends_seen_;
    line_length_ = kLineWidth;
    return true;
  }
  for (;;) {
    std::size_t length = 0;  // the whole line's length, cut or not
    char last = 0;
    bool ended = false;  // by a line end, not by the end of the file
    for (;;) {
      std::string_view available = Peek();
      if (available.empty()) break;
      std::size_t run = FindLineEnd(available);
      if (undecided_ && HasHighByte(available.substr(0, run))) {
        DecideEncoding();
        available = Peek();
        if (available.empty()) break;
        run = FindLineEnd(available);
      }
      if (length < kLineWidth) {
        const std::size_t keep = run < kLineWidth - length ? run : kLineWidth - length;
        std::memcpy(line + length, available.data(), keep);
      }
      if (run > 0) last = available[run - 1];
      length += run;
      Consume(run);
      if (run < available.size()) {
        const char end = available[run];
        Consume(1);
        if (end == '\r') {
          const std::string_view after = Peek();
          if (!after.empty() && after[0] == '\n') Consume(1);
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
      SkipLineStart();
      continue;
    }
    line_length_ = length;
    if (length > kLineWidth) {
      ++truncated_lines_;
    } else {
      std::memset(line + length, ' ', kLineWidth - length);
    }
    return true;
  }
}

}  // namespace trelvan
