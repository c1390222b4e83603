// Date texts of cache times: local time, the MS-DOS range and precision, the midnight rule
// and the fixed text for times that cannot be written.

#include <gtest/gtest.h>

#include "app/FuncUnit.h"
#include "fakes/FakePlatform.h"
#include "toolkit/FormatSettings.h"
#include "tools/FileTimes.h"

namespace {

using standin::FileTimeOf;

FILETIME Of(std::uint64_t ticks) {
  return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

toolkit::FormatSettings UsLong() {
  toolkit::FormatSettings s;
  s.fourDigitYear = true;
  s.amDesignator = "AM";
  s.pmDesignator = "PM";
  return s;
}

struct TextCase {
  const char* name;
  std::uint64_t utc;
  std::int64_t offsetSeconds;
  const char* text;
};

TEST(FileTimeToText, LocalTimeWithinTheDosRange) {
  fakes::FakePlatform fake;
  const toolkit::ScopedFormatSettings formats(UsLong());
  const TextCase cases[] = {
      {"afternoon", FileTimeOf(2004, 12, 31, 15, 7, 8), 0, "12/31/2004 3:07:08 PM"},
      {"local midnight is the date alone", FileTimeOf(2004, 12, 31, 23, 0, 0), 3600, "1/1/2005"},
      {"odd seconds round down", FileTimeOf(2004, 12, 31, 15, 7, 9), 0, "12/31/2004 3:07:08 PM"},
      {"behind UTC", FileTimeOf(2005, 1, 1, 2, 0, 0), -5 * 3600, "12/31/2004 9:00:00 PM"},
      {"first writable moment", FileTimeOf(1980, 1, 1), 0, "1/1/1980"},
      {"last writable second", FileTimeOf(2107, 12, 31, 23, 59, 59), 0, "12/31/2107 11:59:58 PM"},
      {"before 1980", FileTimeOf(1979, 12, 31, 23, 59, 59), 0, "01/01/80 12:00:00 AM"},
      {"before 1980 in UTC, after it locally", FileTimeOf(1979, 12, 31, 23, 0, 0), 7200,
       "1/1/1980 1:00:00 AM"},
      {"after 2107", FileTimeOf(2108, 1, 1), 0, "01/01/80 12:00:00 AM"},
      {"no expiry", 0, 0, "01/01/80 12:00:00 AM"},
      {"largest value", 0x7FFFFFFFFFFFFFFFull, 0, "01/01/80 12:00:00 AM"},
  };
  for (const TextCase& c : cases) {
    fake.utcOffsetSeconds = c.offsetSeconds;
    EXPECT_EQ(FileTimeToText(Of(c.utc)), c.text) << c.name;
  }
}

TEST(FileTimeToText, FallbackTextIgnoresTheUsersFormats) {
  fakes::FakePlatform fake;
  toolkit::FormatSettings german;
  german.dateOrder = toolkit::DateOrder::DayMonthYear;
  german.dateSeparator = ".";
  german.twelveHour = false;
  const toolkit::ScopedFormatSettings formats(german);
  EXPECT_EQ(FileTimeToText(Of(FileTimeOf(2004, 12, 31, 15, 7, 8))), "31.12.04 15:07:08");
  EXPECT_EQ(FileTimeToText(Of(0)), "01/01/80 12:00:00 AM");
  fake.localConversionFails = true;
  EXPECT_EQ(FileTimeToText(Of(FileTimeOf(2004, 12, 31, 15, 7, 8))), "01/01/80 12:00:00 AM")
      << "a time with no local reading cannot be written";
}

TEST(TrailingSlash, OnlyOneSlashGoes) {
  EXPECT_EQ(StripTrailingSlash("a/"), "a");
  EXPECT_EQ(StripTrailingSlash("a//"), "a/");
  EXPECT_EQ(StripTrailingSlash("/"), "");
  EXPECT_EQ(StripTrailingSlash(""), "");
  EXPECT_EQ(StripTrailingSlash("a/b"), "a/b");
  std::string text = "abc";
  ChopRight(text, 1);
  EXPECT_EQ(text, "ab");
  ChopRight(text, 5);
  EXPECT_EQ(text, "");
}

}  // namespace
