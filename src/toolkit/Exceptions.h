#pragma once
// The toolkit's error classes: what a handler raises and the application-wide handler shows.

#include <stdexcept>
#include <string>

namespace toolkit {

class Exception : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class EOutOfMemory : public Exception {
 public:
  EOutOfMemory() : Exception("Out of memory") {}
};

// A text or value that does not convert, such as an invalid date field.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace toolkit
