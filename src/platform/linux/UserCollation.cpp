#include "platform/linux/UserCollation.h"

#include <cstring>
#include <string>

#include "platform/Errors.h"

namespace standin {
namespace {

// The text as a NUL-ended string: the C library collates up to the first NUL.
std::string Whole(LPCSTR text, int length) {
  return length < 0 ? std::string(text) : std::string(text, static_cast<std::size_t>(length));
}

}  // namespace

UserCollation::UserCollation() {
  collation_ = newlocale(LC_COLLATE_MASK, "", nullptr);
  // A locale the system does not have falls back to byte order.
  if (collation_ == nullptr) collation_ = newlocale(LC_COLLATE_MASK, "C", nullptr);
}

UserCollation::~UserCollation() {
  if (collation_ != nullptr) freelocale(collation_);
}

int UserCollation::CompareStringA(LCID /*locale*/, DWORD flags, LPCSTR text1, int length1,
                                  LPCSTR text2, int length2) {
  if (text1 == nullptr || text2 == nullptr || flags != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const int order =
      strcoll_l(Whole(text1, length1).c_str(), Whole(text2, length2).c_str(), collation_);
  return order < 0 ? CSTR_LESS_THAN : order > 0 ? CSTR_GREATER_THAN : CSTR_EQUAL;
}

int UserCollation::LCMapStringA(LCID /*locale*/, DWORD flags, LPCSTR source, int sourceLength,
                                LPSTR destination, int destinationSize) {
  if (source == nullptr || flags != LCMAP_SORTKEY || destinationSize < 0 ||
      (destinationSize > 0 && destination == nullptr)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const std::string text = Whole(source, sourceLength);
  const std::size_t needed = strxfrm_l(nullptr, text.c_str(), 0, collation_) + 1;
  if (destinationSize == 0) return static_cast<int>(needed);
  if (static_cast<std::size_t>(destinationSize) < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  strxfrm_l(destination, text.c_str(), needed, collation_);
  return static_cast<int>(needed);
}

}  // namespace standin
