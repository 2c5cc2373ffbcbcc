// Text at the Windows API boundary: the program keeps UTF-8, the wide API wants UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace trelvan::windows {

// Converts UTF-8 to UTF-16. Returns false for malformed UTF-8 or an embedded NUL, either of which
// would silently name a different file.
bool WideFromUtf8(std::string_view text, std::wstring* wide);

// Converts UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf8FromWide(std::wstring_view wide);

// Converts UTF-16 to the system's 8-bit code page, which the "A" functions of the API take;
// a character the code page lacks becomes its best fit or '?'.
std::string AnsiFromWide(std::wstring_view wide);

// The system's own description of an error code, in UTF-8, without the trailing line break.
std::string SystemErrorText(unsigned long error);

}  // namespace trelvan::windows
