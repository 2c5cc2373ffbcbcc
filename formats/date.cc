#include "formats/date.h"

namespace trelvan {

bool IsCalendarDate(const Date& date) {
  if (date.month < 1 || date.month > 12 || date.day < 1) return false;
  static constexpr int kDaysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (date.year % 4 == 0 && date.year % 100 != 0) || date.year % 400 == 0;
  const int days = kDaysInMonth[date.month - 1] + (date.month == 2 && leap ? 1 : 0);
  return date.day <= days;
}

TableDate ToTableDate(const Date& date) {
  const Date& valid = IsCalendarDate(date) ? date : kMissingDate;
  // Calendar dates read from the statement file have four-digit years.
  if (valid.year < 0 || valid.year > 9999) return ToTableDate(kMissingDate);
  TableDate out;
  const auto digit = [](int value) { return static_cast<char>('0' + value % 10); };
  out.text[0] = digit(valid.year / 1000);
  out.text[1] = digit(valid.year / 100);
  out.text[2] = digit(valid.year / 10);
  out.text[3] = digit(valid.year);
  out.text[4] = digit(valid.month / 10);
  out.text[5] = digit(valid.month);
  out.text[6] = digit(valid.day / 10);
  out.text[7] = digit(valid.day);
  return out;
}

}  // namespace trelvan
