// ABO -> DBF from arbitrary bytes. Besides the checks every run gets, the target finds the
// lines itself, a byte at a time, and predicts from them the record count, every text, date
// and amount field, every memo pointer, the whole memo file and the line an oversized amount
// stops at. A finished table must then convert back.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "convert/conversions.h"
#include "convert/memo_path.h"
#include "convert/messages.h"
#include "formats/byte_order.h"
#include "formats/date.h"
#include "formats/memo_file.h"
#include "formats/statement_table.h"
#include "fuzz/fuzz_session.h"

namespace trelvan::fuzz {
namespace {

struct Line {
  std::string text;     // 128 characters
  unsigned number = 0;  // in the file, from 1, empty lines counted
};

struct Framing {
  std::vector<Line> lines;
  unsigned cut = 0;  // lines longer than 128 characters
};

Framing FrameLines(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  Framing framing;
  unsigned number = 0;
  auto add = [&](std::string_view line) {
    ++number;
    if (line.empty()) return;
    if (line.size() > 128) ++framing.cut;
    std::string text(line.substr(0, 128));
    text.resize(128, ' ');
    framing.lines.push_back({text, number});
  };
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n') continue;
    add(bytes.substr(start, i - start));
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  std::string_view last = bytes.substr(start);
  if (!last.empty() && last.back() == '\x1A') last.remove_suffix(1);
  add(last);
  return framing;
}

// Characters at positions counted from 1.
std::string_view At(const std::string& line, std::size_t position, std::size_t width) {
  return std::string_view(line).substr(position - 1, width);
}

// The table text of an amount, right-justified, or "" when it does not fit `width`.
std::string AmountText(std::int64_t hundredths, std::size_t width) {
  const std::uint64_t magnitude = hundredths < 0 ? 0 - static_cast<std::uint64_t>(hundredths)
                                                 : static_cast<std::uint64_t>(hundredths);
  std::string text = std::to_string(magnitude / 100) + "." +
                     static_cast<char>('0' + magnitude / 10 % 10) +
                     static_cast<char>('0' + magnitude % 10);
  if (hundredths < 0) text = "-" + text;
  if (text.size() > width) return std::string();
  return std::string(width - text.size(), ' ') + text;
}

std::string DateText(std::string_view ddmmyy) {
  Date date{2000 + static_cast<int>(DecimalInteger(ddmmyy.substr(4, 2))),
            static_cast<int>(DecimalInteger(ddmmyy.substr(2, 2))),
            static_cast<int>(DecimalInteger(ddmmyy.substr(0, 2)))};
  if (!IsCalendarDate(date)) return "19000101";
  char text[40];
  std::snprintf(text, sizeof text, "%04d%02d%02d", date.year, date.month, date.day);
  return text;
}

// Text as a C field holds it: cut at a NUL, padded with spaces.
std::string FieldText(std::string_view source) {
  std::string text(source.substr(0, source.find('\0')));
  text.resize(source.size(), ' ');
  return text;
}

struct Copied {
  std::size_t position;
  std::size_t width;
  Field field;
};
constexpr Copied kHeaderTexts[] = {
    {4, 16, Field::kCustAccnt}, {20, 20, Field::kCustName}, {106, 3, Field::kOrderNo}};
constexpr Copied kItemTexts[] = {
    {20, 16, Field::kProtiucet}, {36, 13, Field::kDocNo},   {61, 1, Field::kCode},
    {62, 10, Field::kVSymbol},   {72, 10, Field::kKSymbol}, {82, 10, Field::kSSymbol},
    {92, 6, Field::kValuta},     {98, 20, Field::kNote},    {118, 1, Field::kCodeChan},
    {119, 4, Field::kDataType},
};
struct AmountAt {
  std::size_t position;  // digits
  std::size_t width;
  std::size_t sign;
  Field field;
};
constexpr AmountAt kHeaderAmounts[] = {{46, 14, 60, Field::kRestPrev},
                                       {61, 14, 75, Field::kRestNew},
                                       {76, 14, 90, Field::kDebetMd},
                                       {91, 14, 105, Field::kCreditD}};
constexpr AmountAt kItemAmount{49, 12, 61, Field::kPrice};

std::string Amount(const std::string& line, const AmountAt& amount) {
  std::int64_t value = DecimalInteger(At(line, amount.position, amount.width));
  if (line[amount.sign - 1] == '-') value = -value;
  return AmountText(value, DescriptionOf(amount.field).length);
}

// The record a header line (blank when none came yet) and an item line make, OTHER_LN blank;
// empty when an amount does not fit.
std::string PredictRecord(const std::string& header, const std::string& item) {
  std::string record(kRecordLength, ' ');
  auto put = [&](Field field, const std::string& text) {
    record.replace(FieldOffset(field), text.size(), text);
  };
  for (const Copied& copied : kHeaderTexts) {
    put(copied.field, FieldText(At(header, copied.position, copied.width)));
  }
  for (const AmountAt& amount : kHeaderAmounts) {
    const std::string text = Amount(header, amount);
    if (text.empty()) return std::string();
    put(amount.field, text);
  }
  put(Field::kRestPrDt, DateText(At(header, 40, 6)));
  put(Field::kIssueDate, DateText(At(header, 109, 6)));
  for (const Copied& copied : kItemTexts) {
    put(copied.field, FieldText(At(item, copied.position, copied.width)));
  }
  const std::string price = Amount(item, kItemAmount);
  if (price.empty()) return std::string();
  put(Field::kPrice, price);
  put(Field::kDueDate, DateText(At(item, 123, 6)));
  return record;
}

struct Prediction {
  std::vector<std::string> records;
  std::string memo;
  unsigned stop_line = 0;  // the line whose amount does not fit; 0 when none
};

Prediction Predict(const Framing& framing) {
  Prediction p;
  p.memo.assign(kMemoBlockSize, '\0');
  bool memo_open = false;
  auto close_memo = [&] {
    p.memo += "\x1A\x1A";
    p.memo.resize((p.memo.size() + kMemoBlockSize - 1) / kMemoBlockSize * kMemoBlockSize, '\0');
    memo_open = false;
  };
  const std::string blank(128, ' ');
  const std::string* header = &blank;
  for (const Line& line : framing.lines) {
    const std::string_view tag = At(line.text, 1, 3);
    if (tag == "074") {
      header = &line.text;
      // A header line is checked when it is read, before any item uses it.
      if (PredictRecord(*header, blank).empty()) {
        p.stop_line = line.number;
        return p;
      }
    } else if (tag == "075") {
      std::string record = PredictRecord(*header, line.text);
      if (record.empty()) {
        p.stop_line = line.number;
        return p;
      }
      p.records.push_back(std::move(record));
      if (memo_open) close_memo();
    } else {
      p.memo += line.text + "\r\n";
      if (!memo_open && !p.records.empty()) {
        char field[32];
        std::snprintf(field, sizeof field, "%10zu", p.memo.size() / kMemoBlockSize);
        p.records.back().replace(FieldOffset(Field::kOtherLn), 10, field);
      }
      memo_open = true;
    }
  }
  if (memo_open) close_memo();
  char header_image[4];
  WriteU32Le(header_image, static_cast<std::uint32_t>(p.memo.size() / kMemoBlockSize));
  p.memo.replace(0, 4, header_image, 4);
  p.memo[16] = kMemoVersion;
  return p;
}

void CheckConvertsBack(Session& session, std::uint32_t records) {
  session.prompter.shown.clear();
  const int result = ConvertDbfToAbo("out.dbf", "back.gpc", session.context);
  FUZZ_CHECK(result == 1);
  FUZZ_CHECK(session.prompter.shown.size() == 1);
  CheckOutcome(session, result);
  const std::string back = session.files.Contents("back.gpc");
  FUZZ_CHECK(back.size() % 130 == 0);
  std::uint32_t items = 0;
  for (std::size_t at = 0; at < back.size(); at += 130) {
    FUZZ_CHECK(back.compare(at + 128, 2, "\r\n") == 0);
    items += back.compare(at, 3, "075") == 0;
  }
  FUZZ_CHECK(items == records);
  FUZZ_CHECK(records == 0 || back.compare(0, 3, "074") == 0);
}

}  // namespace
}  // namespace trelvan::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace trelvan;
  using namespace trelvan::fuzz;
  Session session;
  const std::string abo = AsString(data, size);
  session.files.Put("in.gpc", abo);
  const int result = ConvertAboToDbf("in.gpc", "out.dbf", session.context);
  CheckOutcome(session, result);
  FUZZ_CHECK(session.files.Contents("in.gpc") == abo);

  const Framing framing = FrameLines(abo);
  const Prediction prediction = Predict(framing);
  if (prediction.stop_line != 0) {
    FUZZ_CHECK(result == 0);
    FUZZ_CHECK(session.prompter.shown.size() == 1);
    FUZZ_CHECK(session.Count(MessageStyle::kStop,
                             FillMessage(messages::kAmountTooLargeOnLine,
                                         {std::to_string(prediction.stop_line)})) == 1);
    return 0;
  }
  FUZZ_CHECK(result == 1);
  const std::string truncated =
      FillMessage(messages::kTruncatedLines, {std::to_string(framing.cut)});
  FUZZ_CHECK(session.prompter.shown.size() == (framing.cut > 0 ? 2u : 1u));
  FUZZ_CHECK(framing.cut == 0 || session.Count(MessageStyle::kInformation, truncated) == 1);

  const std::string table = session.files.Contents("out.dbf");
  const std::string memo = session.files.Contents("out.dbt");
  CheckFinishedFiles(table, memo);
  FUZZ_CHECK(table.compare(1, 3, "\x18\x05\x11") == 0);
  FUZZ_CHECK(RecordCount(table) == prediction.records.size());
  for (std::size_t r = 0; r < prediction.records.size(); ++r) {
    FUZZ_CHECK(table.compare(kTableHeaderLength + kRecordLength * r, kRecordLength,
                             prediction.records[r]) == 0);
  }
  FUZZ_CHECK(memo == prediction.memo);
  CheckConvertsBack(session, RecordCount(table));
  return 0;
}
