#pragma once

#include <vector>

#include "Harness.h"

namespace bench {

// Refresh, sorts and deletion of the cookie list, each beside its reference.
void CookieScenarios(std::vector<Row>& rows);

}  // namespace bench
