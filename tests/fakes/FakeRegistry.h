#pragma once
// The seeded state and faults of the fake's registry.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/WinTypes.h"

namespace fakes {

struct FakeRegistry {
  // Keys under HKEY_CURRENT_USER by exact path, each with its value names in enumeration
  // order; a subkey is a key whose path continues its parent's.
  std::map<std::string, std::vector<std::string>> keys;
  // Keys that exist but refuse to open, with this code.
  std::map<std::string, DWORD> openFails;
  // RegQueryInfoKeyA fails with ERROR_ACCESS_DENIED.
  bool queryFails = false;
  // Values whose enumeration fails with ERROR_MORE_DATA, leaving the buffer as it was.
  std::set<std::string> enumerationFails;
  // Values that RegDeleteValueA refuses with ERROR_ACCESS_DENIED.
  std::set<std::string> undeletable;
};

}  // namespace fakes
