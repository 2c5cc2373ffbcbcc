#include "convert/abo_source_check.h"

#include <cstring>
#include <string_view>

#include "convert/abo_line_reader.h"
#include "convert/buffered_io.h"
#include "formats/byte_order.h"
#include "formats/memo_file.h"

namespace trelvan {
namespace {

// Version bytes of dBASE tables: dBASE II to V, FoxBASE, FoxPro and Visual FoxPro.
constexpr unsigned char kTableVersions[] = {0x02, 0x03, 0x04, 0x05, 0x30, 0x31, 0x32, 0x43,
                                            0x63, 0x83, 0x8B, 0x8E, 0xCB, 0xE5, 0xF5, 0xFB};
constexpr char kHeaderEnd = 0x0D;

// A known version byte, a date of last change (which no line of text has: its month and day
// bytes would be control characters), and the header's end mark at the length the header
// states.
bool IsTable(File& source, std::string_view head) {
  if (head.size() < 32 || std::memchr(kTableVersions, static_cast<unsigned char>(head[0]),
                                      sizeof kTableVersions) == nullptr) {
    return false;
  }
  const auto month = static_cast<unsigned char>(head[2]);
  const auto day = static_cast<unsigned char>(head[3]);
  if (month < 1 || month > 12 || day < 1 || day > 31) return false;
  const std::uint16_t header_length = ReadU16Le(head.data() + 8);
  if (header_length < 33) return false;
  char end = 0;
  source.Seek(header_length - 1, SeekOrigin::kBegin);
  return source.Read(&end, 1) == 1 && end == kHeaderEnd;
}

// A header block of a memo file holds numbers, a name and zeros: never a line end.
bool IsMemoFile(std::string_view head) {
  return head.size() >= kMemoBlockSize &&
         head.substr(0, kMemoBlockSize).find_first_of("\r\n") == std::string_view::npos;
}

bool HasHeaderOrItemLine(File& source) {
  BufferedReader in(source);
  AboLineReader lines(in);
  char line[kLineWithEnd];
  bool any = false;
  while (lines.Next(line)) {
    if (ClassifyLine(std::string_view(line, kLineWidth)) != LineKind::kOther) return true;
    any = true;
  }
  return !any;
}

}  // namespace

bool IsAboStatementFile(File& source) {
  char head_bytes[kMemoBlockSize];
  const std::string_view head(head_bytes, source.Read(head_bytes, sizeof head_bytes));
  const bool wrong_kind = IsMemoFile(head) || IsTable(source, head);
  source.Seek(0, SeekOrigin::kBegin);
  if (wrong_kind) return false;
  const bool statement = HasHeaderOrItemLine(source);
  source.Seek(0, SeekOrigin::kBegin);
  return statement;
}

}  // namespace trelvan
