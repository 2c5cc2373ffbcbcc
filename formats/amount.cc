#include "formats/amount.h"

#include <cstring>
#include <limits>

#include "formats/fixed_text.h"

namespace trelvan {
namespace {

// More significant digits than this cannot change a result that must fit int64_t.
constexpr int kMaxSignificantDigits = 40;
// Exponents beyond this give 0 or saturate whatever the digits are.
constexpr int kExponentLimit = 100000;

std::int64_t Saturated(bool negative) {
  return negative ? -std::numeric_limits<std::int64_t>::max()
                  : std::numeric_limits<std::int64_t>::max();
}

// The exponent that starts at field[i] ("e" or "E", an optional sign, digits); 0 when there is
// none. An exponent counts only when at least one digit follows the "e" and its sign.
int ReadExponent(std::string_view field, std::size_t i) {
  const std::size_t n = field.size();
  if (i >= n || (field[i] != 'e' && field[i] != 'E')) return 0;
  std::size_t j = i + 1;
  bool negative = false;
  if (j < n && (field[j] == '+' || field[j] == '-')) negative = field[j++] == '-';
  int written = 0;
  for (; j < n && IsDigit(field[j]); ++j) {
    if (written < kExponentLimit) written = written * 10 + (field[j] - '0');
  }
  return negative ? -written : written;
}

}  // namespace

bool WriteTableAmount(char* out, std::size_t width, std::int64_t hundredths) {
  const bool negative = hundredths < 0;
  std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(hundredths)
                                     : static_cast<std::uint64_t>(hundredths);
  char scratch[32];
  char* p = scratch + sizeof scratch;
  *--p = static_cast<char>('0' + magnitude % 10);
  magnitude /= 10;
  *--p = static_cast<char>('0' + magnitude % 10);
  magnitude /= 10;
  *--p = '.';
  do {
    *--p = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (negative) *--p = '-';
  const auto length = static_cast<std::size_t>(scratch + sizeof scratch - p);
  if (length > width) return false;
  // Byte loops: a few bytes each, once per amount field of every row.
  std::size_t i = 0;
  for (; i < width - length; ++i) out[i] = ' ';
  for (std::size_t k = 0; k < length; ++k) out[i + k] = p[k];
  return true;
}

std::int64_t ReadTableAmount(std::string_view field) {
  std::size_t i = 0;
  const std::size_t n = field.size();
  while (i < n && IsCSpace(field[i])) ++i;
  bool negative = false;
  if (i < n && (field[i] == '+' || field[i] == '-')) negative = field[i++] == '-';

  char digits[kMaxSignificantDigits];
  int count = 0;     // significant digits kept
  int exponent = 0;  // value = digits * 10^exponent
  bool any_digit = false;
  for (; i < n && IsDigit(field[i]); ++i) {
    any_digit = true;
    if (count == 0 && field[i] == '0') continue;
    if (count < kMaxSignificantDigits) {
      digits[count++] = field[i];
    } else {
      ++exponent;
    }
  }
  if (i < n && field[i] == '.') {
    ++i;
    for (; i < n && IsDigit(field[i]); ++i) {
      any_digit = true;
      if (count == 0 && field[i] == '0') {
        --exponent;
      } else if (count < kMaxSignificantDigits) {
        digits[count++] = field[i];
        --exponent;
      }
    }
  }
  if (!any_digit) return 0;
  exponent += ReadExponent(field, i);
  if (count == 0) return 0;

  const int shift = exponent + 2;  // to hundredths
  int kept = count + (shift < 0 ? shift : 0);
  if (kept <= 0) return 0;
  if (kept + (shift > 0 ? shift : 0) > 19) return Saturated(negative);
  std::uint64_t magnitude = 0;
  for (int k = 0; k < kept; ++k)
    magnitude = magnitude * 10 + static_cast<unsigned>(digits[k] - '0');
  for (int k = 0; k < shift; ++k) magnitude *= 10;
  if (magnitude > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
    return Saturated(negative);
  }
  const auto value = static_cast<std::int64_t>(magnitude);
  return negative ? -value : value;
}

}  // namespace trelvan
