#include "tools/FileTimes.h"

#include <chrono>
#include <cstdio>

namespace standin {
namespace {
constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kUnixEpochSeconds = 11'644'473'600;
}  // namespace

std::uint64_t FileTimeOf(int year, unsigned month, unsigned day, int hour, int minute, int second) {
  using namespace std::chrono;
  const sys_days date{
      year_month_day{std::chrono::year{year}, std::chrono::month{month}, std::chrono::day{day}}};
  const std::int64_t seconds = date.time_since_epoch().count() * 86'400 + hour * 3600 +
                               minute * 60 + second + kUnixEpochSeconds;
  return static_cast<std::uint64_t>(seconds * kTicksPerSecond);
}

std::optional<std::uint64_t> ParseFileTime(const std::string& text) {
  if (text == "never" || text == "0") return 0;
  int year = 0;
  unsigned month = 0;
  unsigned day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  char tail[4] = {};
  const int fields = std::sscanf(text.c_str(), "%4d-%2u-%2u%*1[T ]%2d:%2d:%2d%3s", &year, &month,
                                 &day, &hour, &minute, &second, tail);
  if (fields < 3 || year < 1601 || year > 30827) return std::nullopt;
  const std::chrono::year_month_day date{std::chrono::year{year}, std::chrono::month{month},
                                         std::chrono::day{day}};
  if (!date.ok() || hour > 23 || minute > 59 || second > 59) return std::nullopt;
  if (fields == 7 && std::string(tail) != "Z") return std::nullopt;
  return FileTimeOf(year, month, day, hour, minute, second);
}

std::string FormatFileTime(std::uint64_t fileTime) {
  if (fileTime == 0) return "never";
  using namespace std::chrono;
  const std::int64_t seconds =
      static_cast<std::int64_t>(fileTime / kTicksPerSecond) - kUnixEpochSeconds;
  const sys_days date{days{seconds >= 0 ? seconds / 86'400 : (seconds - 86'399) / 86'400}};
  const std::int64_t ofDay = seconds - date.time_since_epoch().count() * 86'400;
  const year_month_day ymd{date};
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", static_cast<int>(ymd.year()),
                static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()),
                static_cast<int>(ofDay / 3600), static_cast<int>(ofDay / 60 % 60),
                static_cast<int>(ofDay % 60));
  return text;
}

}  // namespace standin
