#pragma once
// Conversions of FILETIME moments: UTC to local time, local time to MS-DOS date and time.

#include "platform/Installed.h"
#include "platform/WinTypes.h"

// A calendar moment broken into its fields.
struct SYSTEMTIME {
  WORD wYear;
  WORD wMonth;
  WORD wDayOfWeek;
  WORD wDay;
  WORD wHour;
  WORD wMinute;
  WORD wSecond;
  WORD wMilliseconds;
};

namespace platform {

class Time : public Service {
 public:
  // The same moment on the local clock.
  virtual BOOL FileTimeToLocalFileTime(const FILETIME* utc, FILETIME* local) = 0;
  // MS-DOS date (years 1980 to 2107) and time (two-second steps); FALSE out of that range.
  virtual BOOL FileTimeToDosDateTime(const FILETIME* time, LPWORD dosDate, LPWORD dosTime) = 0;
  // The local clock now.
  virtual void GetLocalTime(SYSTEMTIME* now) = 0;
};

}  // namespace platform

inline BOOL FileTimeToLocalFileTime(const FILETIME* utc, FILETIME* local) {
  return platform::Installed<platform::Time>::Get().FileTimeToLocalFileTime(utc, local);
}
inline BOOL FileTimeToDosDateTime(const FILETIME* time, LPWORD dosDate, LPWORD dosTime) {
  return platform::Installed<platform::Time>::Get().FileTimeToDosDateTime(time, dosDate, dosTime);
}
inline void GetLocalTime(SYSTEMTIME* now) {
  platform::Installed<platform::Time>::Get().GetLocalTime(now);
}
