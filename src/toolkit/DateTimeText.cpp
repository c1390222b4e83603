// Reading date texts back under the user's formats.

#include <chrono>
#include <optional>

#include "platform/Time.h"
#include "toolkit/DateTime.h"
#include "toolkit/Exceptions.h"

namespace toolkit {
namespace {

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  bool AtEnd() const { return pos_ == text_.size(); }
  bool SkipBlanks() {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
    return pos_ > start;
  }
  // A run of decimal digits; its value and how many digits it had.
  std::optional<int> Number(int* digits = nullptr) {
    int value = 0;
    int count = 0;
    while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9' && count < 9) {
      value = value * 10 + (text_[pos_++] - '0');
      ++count;
    }
    if (count == 0 || (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9')) {
      return std::nullopt;
    }
    if (digits != nullptr) *digits = count;
    return value;
  }
  bool Literal(std::string_view literal) {
    if (literal.empty() || text_.substr(pos_, literal.size()) != literal) return false;
    pos_ += literal.size();
    return true;
  }
  // The designator at this place, ignoring ASCII letter case: +1 for afternoon, -1 for
  // morning, 0 for none.
  int Designator(const FormatSettings& settings) {
    const std::string_view candidates[] = {settings.pmDesignator, "PM", settings.amDesignator,
                                           "AM"};
    for (std::size_t i = 0; i < std::size(candidates); ++i) {
      if (MatchesIgnoringCase(candidates[i])) {
        pos_ += candidates[i].size();
        return i < 2 ? 1 : -1;
      }
    }
    return 0;
  }

 private:
  bool MatchesIgnoringCase(std::string_view word) const {
    if (word.empty() || text_.size() - pos_ < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
      const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
      if (lower(text_[pos_ + i]) != lower(word[i])) return false;
    }
    return true;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

int WindowedYear(int year, int digits) {
  if (digits > 2) return year;
  SYSTEMTIME now{};
  GetLocalTime(&now);
  const int threshold = now.wYear - 50;
  int windowed = threshold / 100 * 100 + year;
  if (windowed < threshold) windowed += 100;
  return windowed;
}

std::optional<TDateTime> Read(std::string_view text, const FormatSettings& settings) {
  Reader reader(text);
  reader.SkipBlanks();
  int fields[3];
  int digits[3];
  for (int i = 0; i < 3; ++i) {
    if (i > 0 && !reader.Literal(settings.dateSeparator)) return std::nullopt;
    const auto number = reader.Number(&digits[i]);
    if (!number) return std::nullopt;
    fields[i] = *number;
  }
  TDateTime value;
  int yearDigits = 0;
  switch (settings.dateOrder) {
    case DateOrder::MonthDayYear:
      value.month = fields[0], value.day = fields[1], value.year = fields[2];
      yearDigits = digits[2];
      break;
    case DateOrder::DayMonthYear:
      value.day = fields[0], value.month = fields[1], value.year = fields[2];
      yearDigits = digits[2];
      break;
    case DateOrder::YearMonthDay:
      value.year = fields[0], value.month = fields[1], value.day = fields[2];
      yearDigits = digits[0];
      break;
  }
  if (yearDigits > 4) return std::nullopt;
  value.year = WindowedYear(value.year, yearDigits);
  value.hour = value.minute = value.second = 0;

  const bool blanks = reader.SkipBlanks();
  if (!reader.AtEnd()) {
    if (!blanks) return std::nullopt;
    int designator = reader.Designator(settings);
    if (designator != 0) reader.SkipBlanks();
    const auto hour = reader.Number();
    if (!hour) return std::nullopt;
    value.hour = *hour;
    if (reader.Literal(settings.timeSeparator)) {
      const auto minute = reader.Number();
      if (!minute) return std::nullopt;
      value.minute = *minute;
      if (reader.Literal(settings.timeSeparator)) {
        const auto second = reader.Number();
        if (!second) return std::nullopt;
        value.second = *second;
      }
    }
    reader.SkipBlanks();
    if (designator == 0) {
      designator = reader.Designator(settings);
      reader.SkipBlanks();
    }
    if (!reader.AtEnd()) return std::nullopt;
    if (designator != 0) {
      if (value.hour > 12) return std::nullopt;
      value.hour = value.hour % 12 + (designator > 0 ? 12 : 0);
    }
  }
  using namespace std::chrono;
  const year_month_day date{year{value.year}, month{static_cast<unsigned>(value.month)},
                            day{static_cast<unsigned>(value.day)}};
  if (!date.ok() || value.hour > 23 || value.minute > 59 || value.second > 59) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

TDateTime StrToDateTime(std::string_view text, const FormatSettings& settings) {
  if (const auto value = Read(text, settings)) return *value;
  throw EConvertError("'" + std::string(text) + "' is not a valid date and time");
}

}  // namespace toolkit
