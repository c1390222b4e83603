#include "toolkit/DateTime.h"

#include <chrono>

#include "toolkit/Exceptions.h"

namespace toolkit {
namespace {

// At least `width` digits, zeros in front; written by hand, as date texts are made for every
// row of a large list.
void AppendNumber(std::string& text, int value, int width) {
  char digits[12];
  int count = 0;
  auto rest = static_cast<unsigned>(value);
  do {
    digits[count++] = static_cast<char>('0' + rest % 10);
    rest /= 10;
  } while (rest != 0);
  while (count < width) digits[count++] = '0';
  while (count > 0) text.push_back(digits[--count]);
}

void AppendShortDate(std::string& text, const TDateTime& value, const FormatSettings& settings) {
  struct Field {
    int value;
    int width;
  };
  const Field day{value.day, settings.dayLeadingZero ? 2 : 1};
  const Field month{value.month, settings.monthLeadingZero ? 2 : 1};
  const Field year = settings.fourDigitYear ? Field{value.year, 4} : Field{value.year % 100, 2};
  Field order[3] = {month, day, year};
  if (settings.dateOrder == DateOrder::DayMonthYear) {
    order[0] = day;
    order[1] = month;
  } else if (settings.dateOrder == DateOrder::YearMonthDay) {
    order[0] = year;
    order[1] = month;
    order[2] = day;
  }
  for (int i = 0; i < 3; ++i) {
    if (i > 0) text += settings.dateSeparator;
    AppendNumber(text, order[i].value, order[i].width);
  }
}

void AppendLongTime(std::string& text, const TDateTime& value, const FormatSettings& settings) {
  const std::string& designator = value.hour < 12 ? settings.amDesignator : settings.pmDesignator;
  if (settings.twelveHour && settings.designatorFirst) text += designator + ' ';
  int hour = value.hour;
  if (settings.twelveHour) hour = hour % 12 == 0 ? 12 : hour % 12;
  AppendNumber(text, hour, settings.hourLeadingZero ? 2 : 1);
  text += settings.timeSeparator;
  AppendNumber(text, value.minute, 2);
  text += settings.timeSeparator;
  AppendNumber(text, value.second, 2);
  if (settings.twelveHour && !settings.designatorFirst) text += ' ' + designator;
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
  std::string text;
  text.reserve(24);
  AppendShortDate(text, value, settings);
  if (value.hour != 0 || value.minute != 0 || value.second != 0) {
    text += ' ';
    AppendLongTime(text, value, settings);
  }
  return text;
}

}  // namespace toolkit
