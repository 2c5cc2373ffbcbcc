#include "cli/windows_console.h"

#include <windows.h>

#include <shellapi.h>

#include <iostream>
#include <streambuf>

#include "platform/windows_text.h"

namespace trelvan::windows {
namespace {

// Length of the longest prefix of `text` that does not end inside a UTF-8 sequence.
std::size_t CompletePrefix(const std::string& text) {
  std::size_t start = text.size();
  for (int back = 0; back < 4 && start > 0; ++back) {
    const unsigned char byte = static_cast<unsigned char>(text[start - 1]);
    if ((byte & 0xC0) != 0x80) {
      const std::size_t need = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
      return start - 1 + need <= text.size() ? text.size() : start - 1;
    }
    --start;
  }
  return text.size();
}

// Writes UTF-8 to a console as wide text. Unbuffered apart from a sequence cut in two, so
// nothing is left to flush when the process ends.
class ConsoleBuffer : public std::streambuf {
 public:
  explicit ConsoleBuffer(HANDLE console) : console_(console) {}

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char byte = traits_type::to_char_type(c);
    xsputn(&byte, 1);
    return c;
  }

  std::streamsize xsputn(const char* data, std::streamsize n) override {
    pending_.append(data, static_cast<std::size_t>(n));
    const std::size_t complete = CompletePrefix(pending_);
    const std::wstring wide = WideOrReplaced(pending_.substr(0, complete));
    pending_.erase(0, complete);
    DWORD written = 0;
    if (!wide.empty()) {
      WriteConsoleW(console_, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    }
    return n;
  }

 private:
  static std::wstring WideOrReplaced(const std::string& text) {
    std::wstring wide;
    if (WideFromUtf8(text, &wide)) return wide;
    // Not UTF-8 (a file name's bytes, say): show it in the ANSI code page rather than not at all.
    const int needed =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    wide.resize(static_cast<std::size_t>(needed > 0 ? needed : 0));
    if (needed > 0) {
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                          needed);
    }
    return wide;
  }

  HANDLE console_;
  std::string pending_;
};

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

void UseConsoleFor(std::ostream& stream, DWORD which) {
  const HANDLE handle = GetStdHandle(which);
  if (!IsConsole(handle)) return;
  stream.flush();
  // Never freed: the standard streams are used until the very end of the process.
  stream.rdbuf(new ConsoleBuffer(handle));
}

}  // namespace

std::vector<std::string> Utf8Arguments() {
  std::vector<std::string> args;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return args;
  for (int i = 1; i < count; ++i) args.push_back(Utf8FromWide(wide[i]));
  LocalFree(wide);
  return args;
}

void UseUtf8Console() {
  UseConsoleFor(std::cout, STD_OUTPUT_HANDLE);
  UseConsoleFor(std::cerr, STD_ERROR_HANDLE);
  // Answers typed at the console come in as UTF-8 as well.
  SetConsoleCP(CP_UTF8);
}

bool InputIsConsole() { return IsConsole(GetStdHandle(STD_INPUT_HANDLE)); }

}  // namespace trelvan::windows
