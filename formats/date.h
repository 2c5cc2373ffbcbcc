// Calendar dates as the statement files carry them.
#pragma once

namespace trelvan {

struct Date {
  int year = 0;
  int month = 0;
  int day = 0;
};

// True when month is 1..12 and day lies within that month of that (proleptic Gregorian) year.
bool IsCalendarDate(const Date& date);

// The date that stands for a missing or invalid date in the table: 1 January 1900.
inline constexpr Date kMissingDate{1900, 1, 1};

}  // namespace trelvan
