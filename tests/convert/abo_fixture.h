// Statement lines and the table and memo files expected from them, built with the line and
// record formats written out by hand, independently of the code under test.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "formats/date.h"
#include "formats/statement_table.h"

namespace trelvan::testing {

struct HeaderValues {
  std::string account = "0000001234567890";
  std::string name = "Zelen\xe1 louka";  // windows-1250
  std::string previous_date = "301126";
  std::int64_t previous = 15423050, next = 16114320, debit = -1208730, credit = 1900000;
  std::string sequence = "047";
  std::string date = "011226";
};

struct ItemValues {
  std::string own = "0000001234567890";
  std::string counter = "0000000019283746";
  std::string document = "0000000000001";
  std::int64_t amount = 1250000;  // as the 12 characters carry it
  char code = '2';
  std::string variable = "2026110001", constant = "0308", specific = "";
  std::string value_date = "011226";
  std::string note = "Faktura \xe8. 12";
  std::string change = "0", type = "1203";
  std::string due = "011226";
};

inline std::string HeaderLine(const HeaderValues& h) {
  char line[200];
  const auto sign = [](std::int64_t v) { return v < 0 ? '-' : '+'; };
  std::snprintf(line, sizeof line,
                "074%-16.16s%-20.20s%-6.6s%014lld%c%014lld%c%014lld%c%014lld%c%-3.3s%-6.6s%14.14s",
                h.account.c_str(), h.name.c_str(), h.previous_date.c_str(), std::llabs(h.previous),
                sign(h.previous), std::llabs(h.next), sign(h.next), std::llabs(h.debit),
                sign(h.debit), std::llabs(h.credit), sign(h.credit), h.sequence.c_str(),
                h.date.c_str(), "");
  return line;
}

inline std::string ItemLine(const ItemValues& i) {
  char line[200];
  std::snprintf(line, sizeof line,
                "075%-16.16s%-16.16s%-13.13s%012lld%c%-10.10s%-10.10s%-10.10s%-6.6s%-20.20s%-1.1s"
                "%-4.4s%-6.6s",
                i.own.c_str(), i.counter.c_str(), i.document.c_str(),
                static_cast<long long>(i.amount), i.code, i.variable.c_str(), i.constant.c_str(),
                i.specific.c_str(), i.value_date.c_str(), i.note.c_str(), i.change.c_str(),
                i.type.c_str(), i.due.c_str());
  return line;
}

// An other line: `text` padded to 128 characters.
inline std::string OtherLine(std::string text) {
  text.resize(128, ' ');
  return text;
}

// Lines joined with CR LF after each.
inline std::string Statement(const std::vector<std::string>& lines, const char* end = "\r\n") {
  std::string out;
  for (const std::string& line : lines) out += line + end;
  return out;
}

// YYYYMMDD of DDMMYY, or 19000101 for a date that is not a calendar date.
inline std::string TableDateOf(std::string ddmmyy) {
  ddmmyy.resize(6, ' ');
  const Date date{2000 + std::atoi(ddmmyy.substr(4, 2).c_str()),
                  std::atoi(ddmmyy.substr(2, 2).c_str()), std::atoi(ddmmyy.substr(0, 2).c_str())};
  if (!IsCalendarDate(date)) return "19000101";
  char out[16];
  std::snprintf(out, sizeof out, "%4i%02i%02i", date.year, date.month, date.day);
  return out;
}

inline std::string HeaderPart(const HeaderValues& h) {
  char part[200];
  std::snprintf(part, sizeof part,
                " %-16.16s%-20.20s%-8.8s%14.02f%14.02f%14.02f%14.02f%-3.3s%-8.8s",
                h.account.c_str(), h.name.c_str(), TableDateOf(h.previous_date).c_str(),
                static_cast<double>(h.previous) * 0.01, static_cast<double>(h.next) * 0.01,
                static_cast<double>(h.debit) * 0.01, static_cast<double>(h.credit) * 0.01,
                h.sequence.c_str(), TableDateOf(h.date).c_str());
  return part;
}

// `memo_block` 0 leaves OTHER_LN blank.
inline std::string ItemPart(const ItemValues& i, long memo_block = 0) {
  const std::int64_t price = i.code == '-' ? -i.amount : i.amount;
  char memo[32] = "";
  if (memo_block > 0) std::snprintf(memo, sizeof memo, "%10li", memo_block);
  char part[200];
  std::snprintf(part, sizeof part,
                "%-16.16s%-13.13s%12.2f%c%-10.10s%-10.10s%-10.10s%-6.6s%-20.20s%-1.1s%-4.4s%-8.8s"
                "%10.10s",
                i.counter.c_str(), i.document.c_str(), static_cast<double>(price) * 0.01, i.code,
                i.variable.c_str(), i.constant.c_str(), i.specific.c_str(), i.value_date.c_str(),
                i.note.c_str(), i.change.c_str(), i.type.c_str(), TableDateOf(i.due).c_str(), memo);
  return part;
}

inline std::string TableFile(const Date& written, const std::vector<std::string>& records) {
  std::string out(32, '\0');
  out[0] = '\x83';
  out[1] = static_cast<char>(written.year % 100);
  out[2] = static_cast<char>(written.month);
  out[3] = static_cast<char>(written.day);
  const auto count = static_cast<std::uint32_t>(records.size());
  for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<char>((count >> (8 * i)) & 0xFF);
  out[8] = '\xE1';
  out[9] = '\x02';
  out[10] = '\xE9';
  std::string descriptors(kTableHeaderLength - 32, '\0');
  EncodeFieldDescriptors(descriptors.data());
  out += descriptors;
  for (const std::string& record : records) out += record;
  return out + '\x1A';
}

// The memo file for memos of whole lines (128 characters each), in block order.
inline std::string MemoFile(const std::vector<std::vector<std::string>>& memos) {
  std::string out(512, '\0');
  out[16] = '\x03';
  for (const auto& memo : memos) {
    for (const std::string& line : memo) out += line + "\r\n";
    out += "\x1A\x1A";
    out.resize((out.size() + 511) / 512 * 512, '\0');
  }
  const auto blocks = static_cast<std::uint32_t>(out.size() / 512);
  for (int i = 0; i < 4; ++i) out[i] = static_cast<char>((blocks >> (8 * i)) & 0xFF);
  return out;
}

}  // namespace trelvan::testing
