#include "app/FuncUnit.h"

#include <chrono>
#include <cstdint>
#include <exception>

#include "app/LoadedLibrary.h"
#include "platform/Modules.h"
#include "platform/Time.h"
#include "toolkit/DateTime.h"
#include "toolkit/Exceptions.h"

DWORD ShellMajorVersion = 0;

namespace {
constexpr const char* kUnwritableTime = "01/01/80 12:00:00 AM";
}  // namespace

std::string FileTimeToText(const FILETIME& time) {
  // Left at 0, a moment no MS-DOS date holds, when the conversion to local time fails.
  FILETIME local{};
  FileTimeToLocalFileTime(&time, &local);
  WORD dosDate = 0;
  WORD dosTime = 0;
  if (!FileTimeToDosDateTime(&local, &dosDate, &dosTime)) return kUnwritableTime;
  const auto packed = static_cast<int>((static_cast<std::uint32_t>(dosDate) << 16) | dosTime);
  try {
    return toolkit::DateTimeToStr(toolkit::FileDateToDateTime(packed));
  } catch (const std::exception&) {
    return kUnwritableTime;
  }
}

TextPlace DateTextPlace(std::string_view text) {
  try {
    const toolkit::TDateTime time = toolkit::StrToDateTime(text);
    using namespace std::chrono;
    const std::int64_t days =
        sys_days{year_month_day{year{time.year}, month{static_cast<unsigned>(time.month)},
                                day{static_cast<unsigned>(time.day)}}}
            .time_since_epoch()
            .count();
    return {true, days * 86'400 + time.hour * 3'600 + time.minute * 60 + time.second};
  } catch (const toolkit::EConvertError&) {
    return {false, 0};
  }
}

int CompareDateTexts(std::string_view a, std::string_view b) {
  return ComparePlaces(DateTextPlace(a), a, DateTextPlace(b), b);
}

void ChopRight(std::string& text, std::size_t count) {
  text.resize(text.size() > count ? text.size() - count : 0);
}

std::string StripTrailingSlash(std::string text) {
  if (!text.empty() && text.back() == '/') ChopRight(text, 1);
  return text;
}

void ProbeShellVersion() {
  ShellMajorVersion = 0;
  const HMODULE module = LoadLibraryA("shlwapi.dll");
  if (reinterpret_cast<std::uintptr_t>(module) <= 32) return;
  const LoadedLibrary library(module);
  const auto dllGetVersion =
      reinterpret_cast<DLLGETVERSIONPROC>(GetProcAddress(library.Get(), "DllGetVersion"));
  if (dllGetVersion == nullptr) return;
  DLLVERSIONINFO info{};
  info.cbSize = sizeof(info);
  if (dllGetVersion(&info) == S_OK) ShellMajorVersion = info.dwMajorVersion;
}
