#include "toolkit/DateTime.h"

#include <chrono>
#include <cstdio>

#include "toolkit/Exceptions.h"

namespace toolkit {
namespace {

std::string Number(int value, bool leadingZero) {
  char text[16];
  std::snprintf(text, sizeof text, leadingZero ? "%02d" : "%d", value);
  return text;
}

std::string ShortDate(const TDateTime& value, const FormatSettings& settings) {
  const std::string day = Number(value.day, settings.dayLeadingZero);
  const std::string month = Number(value.month, settings.monthLeadingZero);
  const std::string year =
      settings.fourDigitYear ? Number(value.year, false) : Number(value.year % 100, true);
  const std::string& sep = settings.dateSeparator;
  switch (settings.dateOrder) {
    case DateOrder::DayMonthYear:
      return day + sep + month + sep + year;
    case DateOrder::YearMonthDay:
      return year + sep + month + sep + day;
    case DateOrder::MonthDayYear:
      break;
  }
  return month + sep + day + sep + year;
}

std::string LongTime(const TDateTime& value, const FormatSettings& settings) {
  int hour = value.hour;
  if (settings.twelveHour) hour = hour % 12 == 0 ? 12 : hour % 12;
  const std::string& sep = settings.timeSeparator;
  std::string time = Number(hour, settings.hourLeadingZero) + sep + Number(value.minute, true) +
                     sep + Number(value.second, true);
  if (!settings.twelveHour) return time;
  const std::string& designator = value.hour < 12 ? settings.amDesignator : settings.pmDesignator;
  return settings.designatorFirst ? designator + " " + time : time + " " + designator;
}

}  // namespace

TDateTime FileDateToDateTime(int fileDate) {
  const auto bits = static_cast<unsigned>(fileDate);
  TDateTime value;
  value.year = 1980 + static_cast<int>(bits >> 25);
  value.month = static_cast<int>((bits >> 21) & 0x0F);
  value.day = static_cast<int>((bits >> 16) & 0x1F);
  value.hour = static_cast<int>((bits >> 11) & 0x1F);
  value.minute = static_cast<int>((bits >> 5) & 0x3F);
  value.second = static_cast<int>(bits & 0x1F) * 2;
  using namespace std::chrono;
  const year_month_day date{year{value.year}, month{static_cast<unsigned>(value.month)},
                            day{static_cast<unsigned>(value.day)}};
  if (!date.ok()) throw EConvertError("Invalid argument to date encode");
  if (value.hour > 23 || value.minute > 59 || value.second > 59) {
    throw EConvertError("Invalid argument to time encode");
  }
  return value;
}

std::string DateTimeToStr(const TDateTime& value, const FormatSettings& settings) {
  std::string text = ShortDate(value, settings);
  if (value.hour != 0 || value.minute != 0 || value.second != 0) {
    text += ' ';
    text += LongTime(value, settings);
  }
  return text;
}

}  // namespace toolkit
