// The one code page the statement files are read in: windows-1250 (Czech, Slovak, Polish …).
#pragma once

#include <string>
#include <string_view>

namespace trelvan {

// The windows-1250 byte for a Unicode code point; -1 when the code page has no such character.
int Windows1250FromUnicode(char32_t code_point);

// The text of windows-1250 bytes in UTF-8, for messages and reports. The five bytes the code
// page leaves undefined stand for the control characters of the same number.
std::string Utf8FromWindows1250(std::string_view bytes);

// Appends the UTF-8 form of a code point (at most U+10FFFF).
void AppendUtf8(char32_t code_point, std::string& out);

}  // namespace trelvan
