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
  // A NUL-ended text is keyed where it stands; one with a length is copied to end it.
  std::string copy;
  if (sourceLength >= 0) copy = Whole(source, sourceLength);
  const char* text = sourceLength >= 0 ? copy.c_str() : source;
  const std::size_t room = static_cast<std::size_t>(destinationSize);
  const std::size_t length = strxfrm_l(room == 0 ? nullptr : destination, text, room, collation_);
  if (room == 0) return static_cast<int>(length + 1);
  if (length >= room) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  return static_cast<int>(length + 1);
}

}  // namespace standin
