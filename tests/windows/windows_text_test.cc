#include "platform/windows_text.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace trelvan::windows {
namespace {

TEST(WindowsText, CzechLettersAndSupplementaryCharactersRoundTrip) {
  const std::string text = "Příliš žluťoučký kůň úpěl ďábelské ódy ĚŠČŘŽÝÁÍÉÚŮ \xF0\x9F\x90\xB4";
  std::wstring wide;
  ASSERT_TRUE(WideFromUtf8(text, &wide));
  EXPECT_EQ(wide.substr(0, 6), L"P\u0159\u00edli\u0161");
  EXPECT_EQ(wide.substr(wide.size() - 2), L"\xD83D\xDC34");
  EXPECT_EQ(Utf8FromWide(wide), text);
}

TEST(WindowsText, MalformedUtf8IsRefusedNotGuessed) {
  std::wstring wide = L"left over";
  EXPECT_FALSE(WideFromUtf8("V\xFDpis", &wide));
  EXPECT_FALSE(WideFromUtf8("\xC5", &wide));
  EXPECT_FALSE(WideFromUtf8(std::string("a\0b", 3), &wide));
  EXPECT_TRUE(WideFromUtf8("", &wide));
  EXPECT_TRUE(wide.empty());
}

TEST(WindowsText, SystemErrorTextIsOneTidyLine) {
  const std::string text = SystemErrorText(ERROR_FILE_NOT_FOUND);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.back(), '\n');
  EXPECT_NE(text.back(), '\r');
  EXPECT_NE(text.back(), ' ');
  EXPECT_EQ(SystemErrorText(0x2FFFFFFF), "error 805306367");
}

}  // namespace
}  // namespace trelvan::windows
