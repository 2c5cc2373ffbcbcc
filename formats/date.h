// Calendar dates as the statement files carry them, and as the table holds them.
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

// A date as the table holds it: eight characters YYYYMMDD. Reading a table keeps whatever
// bytes stand there; the ABO side turns them into DDMMYY without validating them.
struct TableDate {
  char text[8];
};

// Formats a date as YYYYMMDD, or 19000101 when it is not a real calendar date.
TableDate ToTableDate(const Date& date);

}  // namespace trelvan
