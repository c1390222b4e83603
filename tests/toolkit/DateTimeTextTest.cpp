// Reading date texts and integer texts back, as the sort of the cookie list does.

#include <gtest/gtest.h>

#include <random>

#include "fakes/FakePlatform.h"
#include "toolkit/DateTime.h"
#include "toolkit/Exceptions.h"
#include "toolkit/IntegerText.h"

namespace {

using toolkit::DateOrder;
using toolkit::FormatSettings;
using toolkit::TDateTime;

FormatSettings Us() {
  FormatSettings s;
  s.amDesignator = "AM";
  s.pmDesignator = "PM";
  return s;
}

FormatSettings German() {
  FormatSettings s;
  s.dateOrder = DateOrder::DayMonthYear;
  s.dateSeparator = ".";
  s.dayLeadingZero = s.monthLeadingZero = s.fourDigitYear = true;
  s.twelveHour = false;
  s.hourLeadingZero = true;
  return s;
}

FormatSettings Korean() {
  FormatSettings s = Us();
  s.dateOrder = DateOrder::YearMonthDay;
  s.dateSeparator = ".";
  s.designatorFirst = true;
  s.amDesignator = "\xEC\x98\xA4\xEC\xA0\x84";  // the locale's own morning designator
  return s;
}

struct ReadCase {
  const char* text;
  FormatSettings settings;
  TDateTime value;
};

class StrToDateTimeTest : public ::testing::Test {
 protected:
  fakes::FakePlatform fake_;
};

TEST_F(StrToDateTimeTest, ReadsWhatTheFormatsWrite) {
  fake_.now.wYear = 2025;
  const ReadCase cases[] = {
      {"12/31/2004 3:07:08 PM", Us(), {2004, 12, 31, 15, 7, 8}},
      {"1/1/2005", Us(), {2005, 1, 1, 0, 0, 0}},
      {"  1/1/2005  ", Us(), {2005, 1, 1, 0, 0, 0}},
      {"1/1/2005 12:00:00 AM", Us(), {2005, 1, 1, 0, 0, 0}},
      {"1/1/2005 12:00:00 PM", Us(), {2005, 1, 1, 12, 0, 0}},
      {"1/1/2005 11:59:58 pm", Us(), {2005, 1, 1, 23, 59, 58}},
      {"1/1/2005 PM 3:07:08", Us(), {2005, 1, 1, 15, 7, 8}},
      {"1/1/2005 3 PM", Us(), {2005, 1, 1, 15, 0, 0}},
      {"1/1/2005 15:07", Us(), {2005, 1, 1, 15, 7, 0}},
      {"31.12.2004 15:07:08", German(), {2004, 12, 31, 15, 7, 8}},
      {"04.12.31 \xEC\x98\xA4\xEC\xA0\x84 9:07:08", Korean(), {2004, 12, 31, 9, 7, 8}},
      // Years of one or two digits fall in 1975 to 2074 when the clock says 2025.
      {"1/1/75", Us(), {1975, 1, 1, 0, 0, 0}},
      {"1/1/74", Us(), {2074, 1, 1, 0, 0, 0}},
      {"1/1/40", Us(), {2040, 1, 1, 0, 0, 0}},
      {"1/1/99", Us(), {1999, 1, 1, 0, 0, 0}},
      {"1/1/5", Us(), {2005, 1, 1, 0, 0, 0}},
      {"01/01/80 12:00:00 AM", Us(), {1980, 1, 1, 0, 0, 0}},
  };
  for (const ReadCase& c : cases) {
    EXPECT_EQ(toolkit::StrToDateTime(c.text, c.settings), c.value) << c.text;
  }
}

TEST_F(StrToDateTimeTest, TheFixedTextReadsAsAnotherCenturyAfter2030) {
  fake_.now.wYear = 2031;
  EXPECT_EQ(toolkit::StrToDateTime("01/01/80 12:00:00 AM", Us()), (TDateTime{2080, 1, 1, 0, 0, 0}));
}

TEST_F(StrToDateTimeTest, RejectsTextsTheFormatsCannotHaveWritten) {
  const char* invalid[] = {
      "",
      "abc",
      "13/1/2005",
      "2/30/2005",
      "1-1-2005",
      "1/1",
      "1/1/2005x",
      "1/1/2005 25:00:00",
      "1/1/2005 13:00:00 PM",
      "1/1/2005 3:60:00",
      "1/1/2005 3:07:08 XM",
      "1/1/2005 3:",
      "1/1/20051",
      "1/1/2005  AM",
  };
  for (const char* text : invalid) {
    try {
      toolkit::StrToDateTime(text, Us());
      ADD_FAILURE() << "read: " << text;
    } catch (const toolkit::EConvertError& error) {
      EXPECT_EQ(error.what(), "'" + std::string(text) + "' is not a valid date and time");
    }
  }
  EXPECT_THROW(toolkit::StrToDateTime("12/31/2004", German()), toolkit::EConvertError);
}

TEST_F(StrToDateTimeTest, EveryWrittenTextReadsBackAsTheSameMoment) {
  fake_.now.wYear = 2026;
  FormatSettings twoDigits = German();
  twoDigits.fourDigitYear = false;
  FormatSettings usLong = Us();
  usLong.fourDigitYear = true;
  std::mt19937 random(7);
  for (const FormatSettings& settings : {usLong, German(), Korean(), twoDigits}) {
    for (int i = 0; i < 500; ++i) {
      TDateTime t{1980 + static_cast<int>(random() % 128), 1 + static_cast<int>(random() % 12),
                  1 + static_cast<int>(random() % 28),     static_cast<int>(random() % 24),
                  static_cast<int>(random() % 60),         static_cast<int>(random() % 30) * 2};
      if (!settings.fourDigitYear) t.year = 1976 + static_cast<int>(random() % 100);
      const std::string text = toolkit::DateTimeToStr(t, settings);
      EXPECT_EQ(toolkit::StrToDateTime(text, settings), t) << text;
    }
  }
}

TEST(StrToInt, SignedThirtyTwoBitDecimals) {
  EXPECT_EQ(toolkit::StrToInt("9"), 9);
  EXPECT_EQ(toolkit::StrToInt(" 10"), 10);
  EXPECT_EQ(toolkit::StrToInt("+7"), 7);
  EXPECT_EQ(toolkit::StrToInt("2147483647"), 2147483647);
  EXPECT_EQ(toolkit::StrToInt("-2147483648"), -2147483647 - 1);
  for (const char* text : {"2147483648", "4294967295", "", "-", "1 ", "x", "1x", "99999999999"}) {
    try {
      toolkit::StrToInt(text);
      ADD_FAILURE() << "read: " << text;
    } catch (const toolkit::EConvertError& error) {
      EXPECT_EQ(error.what(), "'" + std::string(text) + "' is not a valid integer value");
    }
  }
}

}  // namespace
