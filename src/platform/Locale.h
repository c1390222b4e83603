#pragma once
// Text comparison in the user's collation, and the sort keys that compare the same way.

#include "platform/Installed.h"
#include "platform/WinTypes.h"

using LCID = DWORD;

inline constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
inline constexpr DWORD LCMAP_SORTKEY = 0x00000400;
inline constexpr int CSTR_LESS_THAN = 1;
inline constexpr int CSTR_EQUAL = 2;
inline constexpr int CSTR_GREATER_THAN = 3;

namespace platform {

class Locale : public Service {
 public:
  // CSTR_LESS_THAN, CSTR_EQUAL or CSTR_GREATER_THAN; 0 on failure. A length of -1 means the
  // text ends at its NUL.
  virtual int CompareStringA(LCID locale, DWORD flags, LPCSTR text1, int length1, LPCSTR text2,
                             int length2) = 0;
  // With LCMAP_SORTKEY: writes the text's sort key, NUL included, and returns its size; with
  // a destination size of 0, only returns the size. Keys compare bytewise as the texts do
  // with CompareStringA and no flags.
  virtual int LCMapStringA(LCID locale, DWORD flags, LPCSTR source, int sourceLength,
                           LPSTR destination, int destinationSize) = 0;
};

}  // namespace platform

inline int CompareStringA(LCID locale, DWORD flags, LPCSTR text1, int length1, LPCSTR text2,
                          int length2) {
  return platform::Installed<platform::Locale>::Get().CompareStringA(locale, flags, text1, length1,
                                                                     text2, length2);
}
inline int LCMapStringA(LCID locale, DWORD flags, LPCSTR source, int sourceLength,
                        LPSTR destination, int destinationSize) {
  return platform::Installed<platform::Locale>::Get().LCMapStringA(
      locale, flags, source, sourceLength, destination, destinationSize);
}
