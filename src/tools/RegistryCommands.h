#pragma once

#include <string>
#include <vector>

namespace standin {

// The tool's "reg" commands over the store of the current user, given the arguments after
// "reg"; the exit code. Bad input changes nothing and exits with 2.
int RunRegistryCommand(const std::vector<std::string>& args);

}  // namespace standin
