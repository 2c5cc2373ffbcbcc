// trelvan-cli's process boundary on Windows: wide arguments in, UTF-8 text out.
#pragma once

#include <string>
#include <vector>

namespace trelvan::windows {

// The arguments after the program name, in UTF-8, from the wide command line: argv holds them in
// the ANSI code page, which loses every letter it lacks.
std::vector<std::string> Utf8Arguments();

// Makes std::cout and std::cerr show their UTF-8 text on a console as written. Output to a file
// or a pipe is left alone and stays UTF-8 bytes.
void UseUtf8Console();

// True when standard input is a console a person types at. The C runtime's isatty also says yes
// for NUL and other character devices, which would wait for an answer nobody gives.
bool InputIsConsole();

}  // namespace trelvan::windows
