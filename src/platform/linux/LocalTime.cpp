#include "platform/linux/LocalTime.h"

#include <chrono>
#include <ctime>
#include <limits>

#include "platform/Errors.h"

namespace standin {
namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;
// Seconds from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kUnixEpochSeconds = 11'644'473'600;

std::uint64_t Ticks(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace

BOOL LocalTime::FileTimeToLocalFileTime(const FILETIME* utc, FILETIME* local) {
  if (utc == nullptr || local == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const std::uint64_t ticks = Ticks(*utc);
  const std::time_t seconds = static_cast<std::time_t>(ticks / kTicksPerSecond) - kUnixEpochSeconds;
  std::tm broken{};
  if (localtime_r(&seconds, &broken) == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const std::int64_t offset = static_cast<std::int64_t>(broken.tm_gmtoff) * kTicksPerSecond;
  // A moment whose local reading falls outside the FILETIME range has no local FILETIME.
  if ((offset < 0 && ticks < static_cast<std::uint64_t>(-offset)) ||
      (offset > 0 &&
       ticks > std::numeric_limits<std::uint64_t>::max() - static_cast<std::uint64_t>(offset))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const std::uint64_t shifted = ticks + static_cast<std::uint64_t>(offset);
  local->dwLowDateTime = static_cast<DWORD>(shifted);
  local->dwHighDateTime = static_cast<DWORD>(shifted >> 32);
  return TRUE;
}

BOOL LocalTime::FileTimeToDosDateTime(const FILETIME* time, LPWORD dosDate, LPWORD dosTime) {
  if (time == nullptr || dosDate == nullptr || dosTime == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  using namespace std::chrono;
  const std::int64_t totalSeconds = static_cast<std::int64_t>(Ticks(*time) / kTicksPerSecond);
  const std::int64_t dayCount = totalSeconds / 86'400;
  const std::int64_t secondOfDay = totalSeconds % 86'400;
  const year_month_day date{sys_days{days{dayCount - kUnixEpochSeconds / 86'400}}};
  const int year = static_cast<int>(date.year());
  if (year < 1980 || year > 2107) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const auto hour = static_cast<unsigned>(secondOfDay / 3600);
  const auto minute = static_cast<unsigned>(secondOfDay / 60 % 60);
  const auto second = static_cast<unsigned>(secondOfDay % 60);
  *dosDate = static_cast<WORD>(((year - 1980) << 9) | (static_cast<unsigned>(date.month()) << 5) |
                               static_cast<unsigned>(date.day()));
  *dosTime = static_cast<WORD>((hour << 11) | (minute << 5) | (second / 2));
  return TRUE;
}

void LocalTime::GetLocalTime(SYSTEMTIME* now) {
  timespec clock{};
  clock_gettime(CLOCK_REALTIME, &clock);
  std::tm broken{};
  localtime_r(&clock.tv_sec, &broken);
  now->wYear = static_cast<WORD>(broken.tm_year + 1900);
  now->wMonth = static_cast<WORD>(broken.tm_mon + 1);
  now->wDayOfWeek = static_cast<WORD>(broken.tm_wday);
  now->wDay = static_cast<WORD>(broken.tm_mday);
  now->wHour = static_cast<WORD>(broken.tm_hour);
  now->wMinute = static_cast<WORD>(broken.tm_min);
  now->wSecond = static_cast<WORD>(broken.tm_sec);
  now->wMilliseconds = static_cast<WORD>(clock.tv_nsec / 1'000'000);
}

}  // namespace standin
