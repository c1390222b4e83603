#pragma once
// The user's date and time formats, read once from the system locale when the program
// starts; every date text is written (and read back) with them.

#include <string>

class QLocale;

namespace toolkit {

enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

struct FormatSettings {
  // Short date: three numbers in `dateOrder`, each / of the pattern standing for this.
  DateOrder dateOrder = DateOrder::MonthDayYear;
  std::string dateSeparator = "/";
  bool dayLeadingZero = false;
  bool monthLeadingZero = false;
  bool fourDigitYear = false;
  // Long time: hours, then minutes and seconds, each after the time separator.
  std::string timeSeparator = ":";
  bool hourLeadingZero = false;
  bool twelveHour = true;
  bool designatorFirst = false;  // "PM 3:07:08" rather than "3:07:08 PM"
  std::string amDesignator = "am";
  std::string pmDesignator = "pm";

  // The formats a locale prescribes; the C locale, which prescribes none, gives the defaults
  // above, a "m/d/yy" short date.
  static FormatSettings FromLocale(const QLocale& locale);
};

// The formats in force: the system locale's, loaded on first use.
const FormatSettings& CurrentFormatSettings();

// Puts other formats in force for the lifetime of the object (tests, and a locale change).
class ScopedFormatSettings {
 public:
  explicit ScopedFormatSettings(const FormatSettings& settings);
  ~ScopedFormatSettings();
  ScopedFormatSettings(const ScopedFormatSettings&) = delete;
  ScopedFormatSettings& operator=(const ScopedFormatSettings&) = delete;

 private:
  const FormatSettings* previous_;
  FormatSettings settings_;
};

}  // namespace toolkit
