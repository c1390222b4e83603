#pragma once

#include <locale.h>

#include "platform/Locale.h"

namespace standin {

// The collation of the user's locale (LC_ALL, LC_COLLATE or LANG), as the C library
// implements it: case-sensitive, with sort keys from strxfrm.
class UserCollation final : public platform::Locale {
 public:
  UserCollation();
  ~UserCollation() override;

  int CompareStringA(LCID locale, DWORD flags, LPCSTR text1, int length1, LPCSTR text2,
                     int length2) override;
  int LCMapStringA(LCID locale, DWORD flags, LPCSTR source, int sourceLength, LPSTR destination,
                   int destinationSize) override;

 private:
  locale_t collation_;
};

}  // namespace standin
