#include "formats/date.h"

namespace trelvan {

bool IsCalendarDate(const Date& date) {
  if (date.month < 1 || date.month > 12 || date.day < 1) return false;
  static constexpr int kDaysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (date.year % 4 == 0 && date.year % 100 != 0) || date.year % 400 == 0;
  const int days = kDaysInMonth[date.month - 1] + (date.month == 2 && leap ? 1 : 0);
  return date.day <= days;
}

}  // namespace trelvan
