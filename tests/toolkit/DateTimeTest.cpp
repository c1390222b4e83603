// The toolkit's standard date-time text under the user's formats, and its unpacking of
// MS-DOS dates.

#include <gtest/gtest.h>

#include "toolkit/DateTime.h"
#include "toolkit/Exceptions.h"

namespace {

using toolkit::DateOrder;
using toolkit::FormatSettings;
using toolkit::TDateTime;

FormatSettings UsLong() {
  FormatSettings s;
  s.fourDigitYear = true;
  s.amDesignator = "AM";
  s.pmDesignator = "PM";
  return s;
}

struct TextCase {
  const char* name;
  FormatSettings settings;
  TDateTime value;
  const char* text;
};

TEST(DateTimeToStr, WritesShortDateAndLongTimeUnlessMidnight) {
  FormatSettings german;
  german.dateOrder = DateOrder::DayMonthYear;
  german.dateSeparator = ".";
  german.dayLeadingZero = german.monthLeadingZero = true;
  german.twelveHour = false;
  german.hourLeadingZero = true;
  FormatSettings swedish = german;
  swedish.dateOrder = DateOrder::YearMonthDay;
  swedish.dateSeparator = "-";
  swedish.fourDigitYear = true;
  FormatSettings korean = UsLong();
  korean.designatorFirst = true;
  FormatSettings twoDigitYear = UsLong();
  twoDigitYear.fourDigitYear = false;

  const TextCase cases[] = {
      {"afternoon, 12-hour clock", UsLong(), {2004, 12, 31, 15, 7, 8}, "12/31/2004 3:07:08 PM"},
      {"midnight is the date alone", UsLong(), {2005, 1, 1, 0, 0, 0}, "1/1/2005"},
      {"one second past midnight", UsLong(), {2005, 1, 1, 0, 0, 2}, "1/1/2005 12:00:02 AM"},
      {"noon", UsLong(), {2005, 1, 1, 12, 0, 0}, "1/1/2005 12:00:00 PM"},
      {"designator first", korean, {2004, 12, 31, 9, 7, 8}, "12/31/2004 AM 9:07:08"},
      {"24-hour clock, leading zeros", german, {2004, 3, 5, 7, 7, 8}, "05.03.04 07:07:08"},
      {"year first", swedish, {2004, 3, 5, 23, 59, 58}, "2004-03-05 23:59:58"},
      {"two-digit year keeps its zero",
       twoDigitYear,
       {2107, 12, 31, 1, 0, 0},
       "12/31/07 1:00:00 AM"},
  };
  for (const TextCase& c : cases) {
    EXPECT_EQ(toolkit::DateTimeToStr(c.value, c.settings), c.text) << c.name;
  }
}

TEST(FileDateToDateTime, UnpacksFieldsAndRejectsOutOfRangeOnes) {
  const auto pack = [](int year, int month, int day, int hour, int minute, int twoSeconds) {
    return ((year - 1980) << 25) | (month << 21) | (day << 16) | (hour << 11) | (minute << 5) |
           twoSeconds;
  };
  EXPECT_EQ(toolkit::FileDateToDateTime(pack(2004, 12, 31, 15, 7, 4)),
            (TDateTime{2004, 12, 31, 15, 7, 8}));
  EXPECT_EQ(toolkit::FileDateToDateTime(pack(2107, 12, 31, 23, 59, 29)),
            (TDateTime{2107, 12, 31, 23, 59, 58}));
  const int invalid[] = {
      pack(2004, 0, 1, 0, 0, 0),  pack(2004, 13, 1, 0, 0, 0), pack(2004, 2, 30, 0, 0, 0),
      pack(2004, 1, 0, 0, 0, 0),  pack(2004, 1, 1, 24, 0, 0), pack(2004, 1, 1, 0, 60, 0),
      pack(2004, 1, 1, 0, 0, 30),
  };
  for (int packed : invalid) {
    EXPECT_THROW(toolkit::FileDateToDateTime(packed), toolkit::EConvertError) << packed;
  }
}

}  // namespace
