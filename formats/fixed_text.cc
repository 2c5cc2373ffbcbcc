#include "formats/fixed_text.h"

#include <cstring>
#include <limits>

namespace trelvan {
namespace {

// Every field is written once per row, so these avoid library calls for a few bytes each.

// Nonzero when one of the eight bytes of `word` is zero.
std::uint64_t ZeroByteIn(std::uint64_t word) {
  return (word - 0x0101010101010101u) & ~word & 0x8080808080808080u;
}

// The number of decimal digits of `value` (at least 1).
std::size_t DigitCount(std::uint64_t value) {
  std::size_t count = 1;
  for (; value >= 10; value /= 10) ++count;
  return count;
}

// Writes the low `width` decimal digits of `value`, with leading zeros.
void PutDigits(char* out, std::size_t width, std::uint64_t value) {
  for (std::size_t i = width; i-- > 0; value /= 10) out[i] = static_cast<char>('0' + value % 10);
}

}  // namespace

void WriteFixedText(char* out, std::size_t width, std::string_view text) {
  const std::size_t length = text.size() < width ? text.size() : width;
  const char* in = text.data();
  std::size_t i = 0;
  for (; i + 8 <= length; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, in + i, 8);
    if (ZeroByteIn(word)) break;
    std::memcpy(out + i, &word, 8);
  }
  for (; i < length && in[i] != '\0'; ++i) out[i] = in[i];
  for (; i < width; ++i) out[i] = ' ';
}

std::int64_t ReadDecimalInteger(std::string_view run) {
  std::size_t i = 0;
  while (i < run.size() && IsCSpace(run[i])) ++i;
  bool negative = false;
  if (i < run.size() && (run[i] == '+' || run[i] == '-')) negative = run[i++] == '-';
  constexpr std::uint64_t kLimit = std::numeric_limits<std::int64_t>::max();
  std::uint64_t magnitude = 0;
  for (; i < run.size() && IsDigit(run[i]); ++i) {
    magnitude = magnitude * 10 + static_cast<std::uint64_t>(run[i] - '0');
    if (magnitude > kLimit) {
      return negative ? -std::numeric_limits<std::int64_t>::max()
                      : std::numeric_limits<std::int64_t>::max();
    }
  }
  const auto value = static_cast<std::int64_t>(magnitude);
  return negative ? -value : value;
}

bool WriteZeroPadded(char* out, std::size_t width, std::uint64_t value) {
  if (DigitCount(value) > width) return false;
  PutDigits(out, width, value);
  return true;
}

bool WriteRightJustified(char* out, std::size_t width, std::int64_t value) {
  const bool negative = value < 0;
  const std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  const std::size_t digits = DigitCount(magnitude);
  const std::size_t count = digits + (negative ? 1 : 0);
  if (count > width) return false;
  std::size_t i = 0;
  for (; i < width - count; ++i) out[i] = ' ';
  if (negative) out[i] = '-';
  PutDigits(out + width - digits, digits, magnitude);
  return true;
}

}  // namespace trelvan
