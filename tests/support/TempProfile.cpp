#include "support/TempProfile.h"

#include <cstdlib>

namespace support {

TempProfile::TempProfile() {
  if (const char* previous = std::getenv("XDG_DATA_HOME")) previous_ = previous;
  setenv("XDG_DATA_HOME", dir_.path().toLocal8Bit().constData(), 1);
}

TempProfile::~TempProfile() {
  setenv("XDG_DATA_HOME", previous_.c_str(), 1);
}

}  // namespace support
