#include "platform/windows_text.h"

#include <windows.h>

#include <climits>
#include <cstdio>

namespace trelvan::windows {

bool WideFromUtf8(std::string_view text, std::wstring* wide) {
  wide->clear();
  if (text.empty()) return true;
  if (text.find('\0') != std::string_view::npos || text.size() > INT_MAX) return false;
  const int length = static_cast<int>(text.size());
  const int needed =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
  if (needed <= 0) return false;
  wide->resize(static_cast<std::size_t>(needed));
  return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, wide->data(),
                             needed) == needed;
}

namespace {

std::string NarrowFromWide(UINT code_page, std::wstring_view wide) {
  if (wide.empty() || wide.size() > INT_MAX) return {};
  const int length = static_cast<int>(wide.size());
  const int needed =
      WideCharToMultiByte(code_page, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return {};
  std::string text(static_cast<std::size_t>(needed), '\0');
  WideCharToMultiByte(code_page, 0, wide.data(), length, text.data(), needed, nullptr, nullptr);
  return text;
}

}  // namespace

std::string Utf8FromWide(std::wstring_view wide) { return NarrowFromWide(CP_UTF8, wide); }

std::string AnsiFromWide(std::wstring_view wide) { return NarrowFromWide(CP_ACP, wide); }

std::string SystemErrorText(unsigned long error) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text;
  if (length > 0 && buffer != nullptr) text.assign(buffer, length);
  if (buffer != nullptr) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
    text.pop_back();
  }
  if (text.empty()) {
    // No text for this code: the number still lets someone look it up.
    char number[32];
    std::snprintf(number, sizeof number, "error %lu", error);
    return number;
  }
  return Utf8FromWide(text);
}

}  // namespace trelvan::windows
