// Round trip: the input is made into a standard statement file, which must come back byte for
// byte through ABO -> DBF -> ABO, each direction showing its success message and nothing else.
//
// The input is read as lines of 128 bytes. A line beginning "074" or a byte from 0xF0 is a
// header line, "075" or a byte from 0xE0 an item line, anything else an other line; each is
// then mended into what the writers produce themselves: digits and signs where numbers stand,
// calendar dates, amounts the table holds, the statement's account in every item line, no
// line-end or NUL bytes, no 0x1A opening an other line. Lines that would break the statement
// structure (an other line before any item, a header line without items, a header line equal
// to the one before) are left out.
#include <cstdint>
#include <string>
#include <string_view>

#include "convert/conversions.h"
#include "convert/messages.h"
#include "formats/date.h"
#include "fuzz/fuzz_session.h"

namespace trelvan::fuzz {
namespace {

enum class Kind { kHeader, kItem, kOther };

Kind KindOf(std::string_view line) {
  const auto first = static_cast<unsigned char>(line[0]);
  if (line.substr(0, 3) == "074" || first >= 0xF0) return Kind::kHeader;
  if (line.substr(0, 3) == "075" || first >= 0xE0) return Kind::kItem;
  return Kind::kOther;
}

char Digit(char c) { return static_cast<char>('0' + static_cast<unsigned char>(c) % 10); }

// Positions counted from 1.
char* At(std::string& line, std::size_t position) { return &line[position - 1]; }

void MendDigits(std::string& line, std::size_t position, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) *At(line, position + i) = Digit(*At(line, position + i));
}

void MendDate(std::string& line, std::size_t position) {
  char* p = At(line, position);
  const auto byte = [&](int i) { return static_cast<unsigned char>(p[i]); };
  Date date{2000 + (byte(4) * 256 + byte(5)) % 100, 1 + (byte(2) * 256 + byte(3)) % 12,
            1 + (byte(0) * 256 + byte(1)) % 31};
  while (!IsCalendarDate(date)) --date.day;
  char text[40];
  std::snprintf(text, sizeof text, "%02d%02d%02d", date.day, date.month, date.year % 100);
  std::string(text).copy(p, 6);
}

// Fourteen digits of which the table holds twelve, and a sign; zero is "+".
void MendHeaderAmount(std::string& line, std::size_t position) {
  MendDigits(line, position, 14);
  *At(line, position) = *At(line, position + 1) = '0';
  char* sign = At(line, position + 14);
  const bool zero = std::string_view(At(line, position), 14) == "00000000000000";
  *sign = *sign == '-' && !zero ? '-' : '+';
}

// Twelve digits, or "-" and eleven; at most nine significant, so the table holds it.
void MendItemAmount(std::string& line) {
  const bool negative = *At(line, 49) == '-';
  MendDigits(line, 49, 12);
  std::string(3, '0').copy(At(line, 49), 3);
  if (negative && std::string_view(At(line, 49), 12) != "000000000000") *At(line, 49) = '-';
}

void MendText(std::string& line) {
  for (char& c : line) {
    if (c == '\0' || c == '\r' || c == '\n') c = ' ';
  }
}

std::string StandardFile(std::string_view input) {
  std::string file;
  std::string header;          // the last header line written
  std::string pending_header;  // a header line waiting for its first item
  bool after_item = false;
  for (std::size_t at = 0; at < input.size(); at += 128) {
    std::string line(input.substr(at, 128));
    line.resize(128, ' ');
    MendText(line);
    switch (KindOf(line)) {
      case Kind::kHeader:
        line.replace(0, 3, "074");
        MendDate(line, 40);
        for (std::size_t amount : {46, 61, 76, 91}) MendHeaderAmount(line, amount);
        MendDate(line, 109);
        line.replace(114, 14, 14, ' ');
        pending_header = line;
        after_item = false;
        break;
      case Kind::kItem:
        if (!pending_header.empty()) {
          if (pending_header != header) {
            header = pending_header;
            file += header + "\r\n";
          }
          pending_header.clear();
        }
        if (header.empty()) break;
        line.replace(0, 3, "075");
        line.replace(3, 16, header, 3, 16);
        MendItemAmount(line);
        MendDate(line, 123);
        file += line + "\r\n";
        after_item = true;
        break;
      case Kind::kOther:
        if (!after_item) break;
        if (line[0] == '\x1A') line[0] = ' ';
        if (line[1] == '\x1A') line[1] = ' ';
        file += line + "\r\n";
        break;
    }
  }
  return file;
}

}  // namespace
}  // namespace trelvan::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace trelvan;
  using namespace trelvan::fuzz;
  const std::string abo = StandardFile(AsString(data, size));
  Session session;
  session.files.Put("in.gpc", abo);
  FUZZ_CHECK(ConvertAboToDbf("in.gpc", "table.dbf", session.context) == 1);
  FUZZ_CHECK(session.prompter.shown.size() == 1);
  CheckOutcome(session, 1);
  CheckFinishedFiles(session.files.Contents("table.dbf"), session.files.Contents("table.dbt"));

  session.prompter.shown.clear();
  FUZZ_CHECK(ConvertDbfToAbo("table.dbf", "back.gpc", session.context) == 1);
  FUZZ_CHECK(session.prompter.shown.size() == 1);
  CheckOutcome(session, 1);
  FUZZ_CHECK(session.files.Contents("back.gpc") == abo);
  return 0;
}
