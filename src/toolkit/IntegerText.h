#pragma once

#include <string_view>

namespace toolkit {

// A decimal signed 32-bit integer, after optional blanks and a sign; raises EConvertError
// "'text' is not a valid integer value" for anything else, a value out of range included.
int StrToInt(std::string_view text);

}  // namespace toolkit
