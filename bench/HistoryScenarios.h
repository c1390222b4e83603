#pragma once

#include <vector>

#include "Harness.h"

namespace bench {

// The clean-ups of the second tab that have a raw limit to compare with: the whole URL cache,
// the recycle bin beside rm -rf and two other emptiers, and a registry key of many values.
void HistoryScenarios(std::vector<Row>& rows);

}  // namespace bench
