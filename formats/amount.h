// Amounts in the table: decimal text with two decimals, held as int64_t counts of hundredths.
// All work is exact, on decimal digits; no binary floating point anywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace trelvan {

// Writes `hundredths` as value/100 with exactly two decimals, right-justified in `width` bytes
// with "-" before a negative value (what printf's "%W.2f" prints for it). Returns false,
// writing nothing, when the text is longer than `width`.
bool WriteTableAmount(char* out, std::size_t width, std::int64_t hundredths);

// Reads a decimal number (leading white space, optional sign, digits with an optional "." and
// fraction, optional exponent) from `field` and returns it in hundredths, dropping any part
// below one hundredth toward zero. Text without a number gives 0; hexadecimal, "inf" and
// "nan" are not numbers. A value beyond int64_t saturates at +/-INT64_MAX, so negating
// a result is always safe.
std::int64_t ReadTableAmount(std::string_view field);

}  // namespace trelvan
