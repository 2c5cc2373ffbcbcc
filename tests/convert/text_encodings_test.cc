// Statement files as editors save them (UTF-8, UTF-16), files joined with `cat`, and lines cut
// short: what the line reader makes of them and what the user is told.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "convert/conversions.h"
#include "convert/windows1250.h"
#include "tests/convert/statement_lines.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/recording_prompter.h"

namespace trelvan::testing {
namespace {

const Date kToday{2026, 12, 6};

// UTF-16 of UTF-8 text within the Basic Multilingual Plane.
std::string Utf16(const std::string& utf8, bool little_endian) {
  std::string out = little_endian ? "\xFF\xFE" : "\xFE\xFF";
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    const int length = b < 0x80 ? 1 : b < 0xE0 ? 2 : 3;
    unsigned c = length == 1 ? b : length == 2 ? b & 0x1F : b & 0x0F;
    for (int k = 1; k < length; ++k)
      c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    i += static_cast<std::size_t>(length);
    const char high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xFF);
    out += little_endian ? std::string{low, high} : std::string{high, low};
  }
  return out;
}

class TextEncodingsTest : public ::testing::Test {
 protected:
  std::vector<Shown> Convert(const std::string& statement, const std::string& table) {
    files_.Put("in.gpc", statement);
    prompter_.shown.clear();
    ConversionContext context{files_, prompter_, kToday};
    EXPECT_EQ(ConvertAboToDbf("in.gpc", table, context), 1);
    return prompter_.shown;
  }

  MemoryFileSystem files_;
  RecordingPrompter prompter_;
};

const Shown kFromUtf8{MessageStyle::kInformation,
                      "in.gpc: Text souboru byl převeden z UTF-8 do windows-1250"};
const Shown kFromUtf16{MessageStyle::kInformation,
                       "in.gpc: Text souboru byl převeden z UTF-16 do windows-1250"};

TEST_F(TextEncodingsTest, UnicodeCopiesOfTheExampleGiveTheSameTable) {
  std::ifstream in(TRELVAN_EXAMPLE, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  const std::string original = bytes.str();
  const std::string utf8 = Utf8FromWindows1250(original);
  ASSERT_NE(utf8, original);
  const std::vector<Shown> plain = Convert(original, "original.dbf");
  EXPECT_EQ(plain.size(), 1u);
  const std::vector<std::pair<std::string, Shown>> copies = {{utf8, kFromUtf8},
                                                             {"\xEF\xBB\xBF" + utf8, kFromUtf8},
                                                             {Utf16(utf8, true), kFromUtf16},
                                                             {Utf16(utf8, false), kFromUtf16}};
  for (std::size_t i = 0; i < copies.size(); ++i) {
    SCOPED_TRACE(i);
    const std::string table = "copy" + std::to_string(i) + ".dbf";
    EXPECT_EQ(Convert(copies[i].first, table), (std::vector<Shown>{copies[i].second, plain[0]}));
    EXPECT_EQ(files_.Contents(table), files_.Contents("original.dbf"));
    EXPECT_EQ(files_.Contents("copy" + std::to_string(i) + ".dbt"),
              files_.Contents("original.dbt"));
  }
}

// One credit item of 12 500,00 Kč that its header's balances agree with.
const Balances kBalanced{15423050, 0, 1250000, 16673050};

TEST_F(TextEncodingsTest, LettersComeOutAsWindows1250AndOthersAsQuestionMarks) {
  std::string line = ItemLine('2', 1250000, "NOTE");
  line.replace(line.find("NOTE"), 20, "ěščřžýáíéúů ø→ €    ");
  const std::vector<Shown> shown = Convert(HeaderLine("047", kBalanced) + line, "out.dbf");
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0], kFromUtf8);
  EXPECT_EQ(shown[1], (Shown{MessageStyle::kWarning,
                             "in.gpc: Počet znaků, které ve windows-1250 nejsou (nahrazeny "
                             "\"?\"): 2"}));
  EXPECT_NE(files_.Contents("out.dbf").find("\xEC\x9A\xE8\xF8\x9E\xFD\xE1\xED\xE9\xFA\xF9 ?? \x80"),
            std::string::npos);
}

TEST_F(TextEncodingsTest, Windows1250TextThatStartsLikeUtf8IsReadByteForByte) {
  const std::string note =
      "\xC8\x8A"
      "OB pr\xE1"
      "ce";  // "ČŠ" is valid UTF-8; "á " is not
  Convert(HeaderLine("047", kBalanced) + ItemLine('2', 1250000, note), "out.dbf");
  EXPECT_NE(files_.Contents("out.dbf").find(note), std::string::npos);
}

TEST_F(TextEncodingsTest, JoinedFilesKeepEachStatementsOwnHeader) {
  const std::string first = HeaderLine("047", kBalanced) + ItemLine('2', 1250000);
  const std::string second =
      HeaderLine("001", kBalanced, "0000009999999999") + ItemLine('2', 1250000);
  Convert(first + second, "plain.dbf");
  // Read byte for byte as before: the marks are skipped, nothing is converted.
  EXPECT_EQ(Convert(first + "\x1A" + "\xEF\xBB\xBF" + second + "\x1A", "joined.dbf").size(), 1u);
  EXPECT_EQ(files_.Contents("joined.dbf"), files_.Contents("plain.dbf"));
  EXPECT_EQ(files_.Contents("joined.dbt"), files_.Contents("plain.dbt"));
  EXPECT_NE(files_.Contents("joined.dbf").find("0000009999999999"), std::string::npos);
}

TEST_F(TextEncodingsTest, LinesCutInsideTheirFieldsAndEmptyStatementsAreWarnedAbout) {
  const std::string header = HeaderLine("047", kBalanced);
  const std::string item = ItemLine('2', 1250000);
  const Balances none{kBalanced.next, 0, 0, kBalanced.next};
  const std::string statement = header.substr(0, 114) + "\r\n" + item.substr(0, 61) + "\n" +
                                HeaderLine("048", none) + header.substr(0, 113) + "\r\n" +
                                item.substr(0, 60);
  const std::vector<Shown> shown = Convert(statement, "out.dbf");
  const auto warning = [](const std::string& text) {
    return Shown{MessageStyle::kWarning, "in.gpc: " + text};
  };
  ASSERT_GE(shown.size(), 4u);
  EXPECT_EQ(shown[0], warning("Výpis č. 048 účtu 0000001234567890 nemá žádné položky"));
  EXPECT_EQ(shown[1], warning("Řádek 4 je neúplný"));
  EXPECT_EQ(shown[2], warning("Řádek 5 je neúplný"));
  EXPECT_EQ(shown.back().text, "Konverze proběhla úspěšně\nPřevedeny 2 položky ve 2 výpisech");
}

}  // namespace
}  // namespace trelvan::testing
