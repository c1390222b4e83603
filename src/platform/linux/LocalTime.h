#pragma once

#include "platform/Time.h"

namespace standin {

// Local time as the C library sees it (TZ and /etc/localtime), with the offset in force at
// the moment converted, daylight saving included.
class LocalTime final : public platform::Time {
 public:
  BOOL FileTimeToLocalFileTime(const FILETIME* utc, FILETIME* local) override;
  BOOL FileTimeToDosDateTime(const FILETIME* time, LPWORD dosDate, LPWORD dosTime) override;
  void GetLocalTime(SYSTEMTIME* now) override;
};

}  // namespace standin
