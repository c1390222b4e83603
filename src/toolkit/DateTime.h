#pragma once
// Date-time values, their making from packed MS-DOS dates and their standard text.

#include <compare>
#include <string>
#include <string_view>

#include "toolkit/FormatSettings.h"

namespace toolkit {

// A calendar date and time of day, to the second.
struct TDateTime {
  int year = 1899;
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;

  auto operator<=>(const TDateTime&) const = default;
};

// Unpacks an MS-DOS date (high 16 bits) and time (low 16 bits); raises EConvertError for a
// field outside its calendar range.
TDateTime FileDateToDateTime(int fileDate);

// The short date, then, unless the time of day is 00:00:00, one blank and the long time.
std::string DateTimeToStr(const TDateTime& value,
                          const FormatSettings& settings = CurrentFormatSettings());

// Reads a date and time back under the same formats: three numbers in the short date's order
// and separator, a year of one or two digits placed within the hundred years that begin 50
// years before the local clock's year; then, after blanks, optionally hours, minutes and
// seconds with an AM or PM designator (the user's own, or "AM" or "PM") before or after them.
// A date alone is midnight. Raises EConvertError "'text' is not a valid date and time".
TDateTime StrToDateTime(std::string_view text,
                        const FormatSettings& settings = CurrentFormatSettings());

}  // namespace toolkit
