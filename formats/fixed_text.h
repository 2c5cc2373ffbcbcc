// The small codecs every fixed-width field uses: text, decimal integers, zero-padded digits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace trelvan {

// The C locale's white space and decimal digits, without a locale lookup per byte.
inline bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Writes `text` into `width` bytes at `out`: left-justified, cut at the width, a NUL ending it,
// the rest filled with spaces (printf's "%-W.Ws").
void WriteFixedText(char* out, std::size_t width, std::string_view text);

// Reads a decimal integer from a run of characters: leading white space skipped, one optional
// sign, then digits up to the first non-digit or the end of the run; no digits give 0. A value
// beyond int64_t saturates at +/-INT64_MAX, so negating
// a result is always safe.
std::int64_t ReadDecimalInteger(std::string_view run);

// Writes `value` as exactly `width` decimal digits with leading zeros. Returns false, writing
// nothing, when it needs more digits.
bool WriteZeroPadded(char* out, std::size_t width, std::uint64_t value);

// Writes `value` right-justified in `width` bytes, padded with spaces (printf's "%Wli").
// Returns false, writing nothing, when it needs more room.
bool WriteRightJustified(char* out, std::size_t width, std::int64_t value);

}  // namespace trelvan
