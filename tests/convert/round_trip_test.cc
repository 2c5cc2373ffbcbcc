// Statement files of the standard shape go to a table and back and come out byte for byte.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "convert/conversions.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/recording_prompter.h"

namespace trelvan::testing {
namespace {

// Generates statement files as a bank writes them: every header line followed by items, other
// lines after items only, values the lines and the table can both hold.
class StatementGenerator {
 public:
  explicit StatementGenerator(std::uint64_t seed) : random_(seed) {}

  std::string File() {
    std::string file;
    std::string previous_header;
    const int statements = Between(1, 5);
    for (int s = 0; s < statements; ++s) {
      const std::string account = Text(16);
      std::string header;
      do {
        header = HeaderLine(account);
      } while (header == previous_header);
      previous_header = header;
      file += header;
      const int items = Between(1, 6);
      for (int i = 0; i < items; ++i) {
        file += ItemLine(account);
        // Mostly none, sometimes a few, now and then a memo across a block boundary.
        const int roll = Between(0, 19);
        const int others = roll < 12 ? 0 : roll < 19 ? Between(1, 4) : Between(60, 66);
        for (int k = 0; k < others; ++k) file += OtherLine();
      }
    }
    return file;
  }

 private:
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  std::int64_t Between64(std::int64_t low, std::int64_t high) {
    return std::uniform_int_distribution<std::int64_t>(low, high)(random_);
  }

  // Printable ASCII and the Czech letters of windows-1250.
  std::string Text(std::size_t width) {
    static const std::string kCzech =
        "\x8A\x8D\x8E\x9A\x9D\x9E\xC1\xC8\xC9\xCC\xCD\xD2\xD3\xD8\xD9\xDA\xDD"
        "\xE1\xE8\xE9\xEC\xED\xF2\xF3\xF8\xF9\xFA\xFD";
    std::string text;
    const std::size_t used = Between(0, 3) == 0 ? width : Between(0, static_cast<int>(width));
    for (std::size_t i = 0; i < used; ++i) {
      text += Between(0, 4) == 0 ? kCzech[Between(0, static_cast<int>(kCzech.size()) - 1)]
                                 : static_cast<char>(Between(0x20, 0x7E));
    }
    return text + std::string(width - used, ' ');
  }

  std::string Digits(std::uint64_t value, std::size_t width) {
    std::string digits = std::to_string(value);
    return std::string(width - digits.size(), '0') + digits;
  }

  // DDMMYY of a real date in 2000-2099.
  std::string DateText() {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int year = Between(0, 99);
    const int month = Between(1, 12);
    const int days = kDays[month - 1] + (month == 2 && year % 4 == 0 ? 1 : 0);
    return Digits(Between(1, days), 2) + Digits(month, 2) + Digits(year, 2);
  }

  // Hundredths in [low, high], often at the ends and around the 32-bit limit.
  std::int64_t Amount(std::int64_t low, std::int64_t high) {
    const std::int64_t special[] = {0,          1,           -1,          29,  -29, 2147483647,
                                    2147483648, -2147483648, -2147483649, low, high};
    if (Between(0, 3) == 0) {
      const std::int64_t pick = special[Between(0, static_cast<int>(std::size(special)) - 1)];
      if (pick >= low && pick <= high) return pick;
    }
    switch (Between(0, 2)) {
      case 0:
        return Between64(-99999, 999999);
      case 1:
        return Between64(-2147483648LL, 2147483647LL);
      default:
        return Between64(low, high);
    }
  }

  // A header amount: 14 digits of magnitude and a sign; the table field holds 14 characters.
  std::string HeaderAmount() {
    const std::int64_t value = Amount(-999'999'999'999, 9'999'999'999'999);
    return Digits(value < 0 ? -value : value, 14) + (value < 0 ? "-" : "+");
  }

  std::string HeaderLine(const std::string& account) {
    std::string line = "074" + account + Text(20) + DateText();
    for (int i = 0; i < 4; ++i) line += HeaderAmount();
    return line + Text(3) + DateText() + std::string(14, ' ') + "\r\n";
  }

  std::string ItemLine(const std::string& account) {
    // PRICE holds 12 characters; a "-" code means the line carries the amount negated.
    const std::int64_t price = Amount(-9'999'999'999, 99'999'999'999);
    const char code = Between(0, 2) == 0 ? '-' : "0124589 AZ"[Between(0, 9)];
    const std::int64_t written = code == '-' ? -price : price;
    const std::string amount = written < 0 ? "-" + Digits(-written, 11) : Digits(written, 12);
    return "075" + account + Text(16) + Text(13) + amount + code + Text(10) + Text(10) + Text(10) +
           Text(6) + Text(20) + Text(1) + Text(4) + DateText() + "\r\n";
  }

  std::string OtherLine() {
    static const char* const kTags[] = {"076", "078", "079", "AV:", "   "};
    std::string start = kTags[Between(0, static_cast<int>(std::size(kTags)) - 1)];
    return start + Text(128 - start.size()) + "\r\n";
  }

  std::mt19937_64 random_;
};

TEST(RoundTripTest, StandardStatementFilesComeBackByteForByte) {
  StatementGenerator generator(20261206);
  for (int n = 0; n < 400; ++n) {
    const std::string statement = generator.File();
    MemoryFileSystem files;
    files.Put("in.gpc", statement);
    RecordingPrompter prompter;
    ConversionContext context{files, prompter, Date{2026, 12, 6}};
    ASSERT_EQ(ConvertAboToDbf("in.gpc", "t.dbf", context), 1) << "file " << n;
    ASSERT_EQ(ConvertDbfToAbo("t.dbf", "back.gpc", context), 1) << "file " << n;
    const std::string back = files.Contents("back.gpc");
    if (back != statement) {
      std::size_t line = 0;
      while (back.compare(130 * line, 130, statement, 130 * line, 130) == 0) ++line;
      FAIL() << "file " << n << " differs from line " << line + 1 << ":\n"
             << statement.substr(130 * line, 130) << "came back as\n"
             << back.substr(130 * line, 130);
    }
  }
}

}  // namespace
}  // namespace trelvan::testing
