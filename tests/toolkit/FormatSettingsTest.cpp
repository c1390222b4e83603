// The user's formats as read from a locale: field order, separators, leading zeros, the clock
// and where its designator stands.

#include <gtest/gtest.h>

#include <QLocale>

#include "toolkit/FormatSettings.h"

namespace {

using toolkit::DateOrder;
using toolkit::FormatSettings;

struct LocaleCase {
  const char* locale;
  DateOrder order;
  const char* dateSeparator;
  bool fourDigitYear;
  bool dayLeadingZero;
  bool twelveHour;
  bool designatorFirst;
  bool hourLeadingZero;
};

TEST(FormatSettings, ReadFromLocale) {
  const LocaleCase cases[] = {
      // The C locale prescribes no numeric date: the defaults, "m/d/yy" with am and pm.
      {"C", DateOrder::MonthDayYear, "/", false, false, true, false, false},
      {"en_US", DateOrder::MonthDayYear, "/", false, false, true, false, false},
      {"en_GB", DateOrder::DayMonthYear, "/", true, true, false, false, true},
      {"de_DE", DateOrder::DayMonthYear, ".", false, true, false, false, true},
      {"sv_SE", DateOrder::YearMonthDay, "-", true, true, false, false, true},
      {"ko_KR", DateOrder::YearMonthDay, ".", false, false, true, true, false},
  };
  for (const LocaleCase& c : cases) {
    const FormatSettings s = FormatSettings::FromLocale(QLocale(c.locale));
    EXPECT_EQ(s.dateOrder, c.order) << c.locale;
    EXPECT_EQ(s.dateSeparator, c.dateSeparator) << c.locale;
    EXPECT_EQ(s.fourDigitYear, c.fourDigitYear) << c.locale;
    EXPECT_EQ(s.dayLeadingZero, c.dayLeadingZero) << c.locale;
    EXPECT_EQ(s.twelveHour, c.twelveHour) << c.locale;
    EXPECT_EQ(s.designatorFirst, c.designatorFirst) << c.locale;
    EXPECT_EQ(s.hourLeadingZero, c.hourLeadingZero) << c.locale;
    EXPECT_EQ(s.timeSeparator, ":") << c.locale;
  }
  EXPECT_EQ(FormatSettings::FromLocale(QLocale::c()).amDesignator, "am");
  EXPECT_EQ(FormatSettings::FromLocale(QLocale("en_US")).pmDesignator, "PM");
}

TEST(FormatSettings, ScopedSettingsNestAndRestore) {
  const FormatSettings& system = toolkit::CurrentFormatSettings();
  FormatSettings first;
  first.dateSeparator = "-";
  {
    toolkit::ScopedFormatSettings outer(first);
    FormatSettings second;
    second.dateSeparator = ".";
    {
      toolkit::ScopedFormatSettings inner(second);
      EXPECT_EQ(toolkit::CurrentFormatSettings().dateSeparator, ".");
    }
    EXPECT_EQ(toolkit::CurrentFormatSettings().dateSeparator, "-");
  }
  EXPECT_EQ(&toolkit::CurrentFormatSettings(), &system);
}

}  // namespace
