#include "formats/fixed_text.h"

#include <cstring>
#include <limits>

namespace trelvan {
namespace {

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Formats the digits of `value` backwards into the end of `scratch`; returns their count.
std::size_t FormatDigits(std::uint64_t value, char* scratch_end) {
  std::size_t count = 0;
  do {
    *--scratch_end = static_cast<char>('0' + value % 10);
    value /= 10;
    ++count;
  } while (value != 0);
  return count;
}

}  // namespace

void WriteFixedText(char* out, std::size_t width, std::string_view text) {
  std::size_t length = text.size() < width ? text.size() : width;
  if (const void* nul = std::memchr(text.data(), '\0', length)) {
    length = static_cast<std::size_t>(static_cast<const char*>(nul) - text.data());
  }
  std::memcpy(out, text.data(), length);
  std::memset(out + length, ' ', width - length);
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
  char scratch[24];
  const std::size_t count = FormatDigits(value, scratch + sizeof scratch);
  if (count > width) return false;
  std::memset(out, '0', width - count);
  std::memcpy(out + width - count, scratch + sizeof scratch - count, count);
  return true;
}

bool WriteRightJustified(char* out, std::size_t width, std::int64_t value) {
  char scratch[24];
  const std::uint64_t magnitude =
      value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  std::size_t count = FormatDigits(magnitude, scratch + sizeof scratch);
  if (value < 0) scratch[sizeof scratch - ++count] = '-';
  if (count > width) return false;
  std::memset(out, ' ', width - count);
  std::memcpy(out + width - count, scratch + sizeof scratch - count, count);
  return true;
}

}  // namespace trelvan
