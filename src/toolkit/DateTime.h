#pragma once
// Date-time values, their making from packed MS-DOS dates and their standard text.

#include <compare>
#include <string>

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

}  // namespace toolkit
