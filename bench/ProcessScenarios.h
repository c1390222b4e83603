#pragma once
// Scenarios measured in fresh processes: start-up to the window shown, and resident memory.

#include <string>
#include <vector>

#include "Harness.h"

namespace bench {

void ProcessScenarios(const std::string& self, std::vector<Row>& rows);

// What a child process of the benchmark does; its exit code.
int RunChild(const std::string& mode, int argc, char** argv);

}  // namespace bench
