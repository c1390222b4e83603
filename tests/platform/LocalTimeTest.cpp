// Conversions of the stand-in clock: to local time with the offset of the moment converted,
// and to MS-DOS dates within their range.

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "platform/linux/LocalTime.h"
#include "platform/linux/ThreadErrors.h"

namespace {

constexpr std::uint64_t kTicksPerSecond = 10'000'000;
// 2026-01-15T12:00:00Z and 2026-07-15T12:00:00Z.
constexpr std::uint64_t kWinter = (11'644'473'600ull + 1'768'478'400ull) * kTicksPerSecond;
constexpr std::uint64_t kSummer = (11'644'473'600ull + 1'784'116'800ull) * kTicksPerSecond;

FILETIME Of(std::uint64_t ticks) {
  return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

std::uint64_t Ticks(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

class LocalTimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* tz = std::getenv("TZ")) savedTz_ = tz;
  }
  void TearDown() override {
    if (savedTz_) {
      setenv("TZ", savedTz_->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }
  static void Zone(const char* tz) {
    setenv("TZ", tz, 1);
    tzset();
  }

  std::optional<std::string> savedTz_;
  standin::ThreadErrors errors_;
  platform::Installed<platform::Errors> installed_{errors_};
  standin::LocalTime time_;
};

TEST_F(LocalTimeTest, LocalTimeFollowsTheOffsetOfTheMomentAcrossDaylightSaving) {
  Zone("EST5EDT,M3.2.0,M11.1.0");
  FILETIME local{};
  const FILETIME winter = Of(kWinter);
  ASSERT_TRUE(time_.FileTimeToLocalFileTime(&winter, &local));
  EXPECT_EQ(Ticks(local), kWinter - 5 * 3600 * kTicksPerSecond);
  const FILETIME summer = Of(kSummer);
  ASSERT_TRUE(time_.FileTimeToLocalFileTime(&summer, &local));
  EXPECT_EQ(Ticks(local), kSummer - 4 * 3600 * kTicksPerSecond);
}

TEST_F(LocalTimeTest, MomentsWhoseLocalReadingLeavesTheRangeFail) {
  Zone("EST5EDT,M3.2.0,M11.1.0");
  FILETIME local{};
  const FILETIME zero = Of(0);
  EXPECT_FALSE(time_.FileTimeToLocalFileTime(&zero, &local));
  Zone("JST-9");
  const FILETIME last = Of(0xFFFFFFFFFFFFFFFFull);
  EXPECT_FALSE(time_.FileTimeToLocalFileTime(&last, &local));
}

struct DosCase {
  const char* name;
  std::uint64_t secondsSince1601;
  bool ok;
  WORD date;
  WORD time;
};

TEST_F(LocalTimeTest, DosDateTimeCoversOnly1980To2107InTwoSecondSteps) {
  constexpr std::uint64_t k1980 = 11'644'473'600ull + 315'532'800ull;    // 1980-01-01T00:00:00
  constexpr std::uint64_t k2108 = 11'644'473'600ull + 4'354'819'200ull;  // 2108-01-01T00:00:00
  const DosCase cases[] = {
      {"first moment", k1980, true, (0 << 9) | (1 << 5) | 1, 0},
      {"one second before", k1980 - 1, false, 0, 0},
      {"odd second rounds down", k1980 + 3723, true, (1 << 5) | 1, (1 << 11) | (2 << 5) | 1},
      {"last second", k2108 - 1, true, (127 << 9) | (12 << 5) | 31, (23 << 11) | (59 << 5) | 29},
      {"first moment after", k2108, false, 0, 0},
      {"zero", 0, false, 0, 0},
  };
  for (const DosCase& c : cases) {
    const FILETIME time = Of(c.secondsSince1601 * kTicksPerSecond);
    WORD date = 0;
    WORD dosTime = 0;
    EXPECT_EQ(time_.FileTimeToDosDateTime(&time, &date, &dosTime) != FALSE, c.ok) << c.name;
    if (!c.ok) continue;
    EXPECT_EQ(date, c.date) << c.name;
    EXPECT_EQ(dosTime, c.time) << c.name;
  }
  const FILETIME last = Of(0xFFFFFFFFFFFFFFFFull);
  WORD date = 0;
  WORD dosTime = 0;
  EXPECT_FALSE(time_.FileTimeToDosDateTime(&last, &date, &dosTime));
}

}  // namespace
