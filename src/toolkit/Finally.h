#pragma once

#include <utility>

namespace toolkit {

// Runs its clean-up when it goes out of scope, on every path, an error included: the
// protected block of the toolkit's language.
template <class CleanUp>
class Finally {
 public:
  explicit Finally(CleanUp cleanUp) : cleanUp_(std::move(cleanUp)) {}
  ~Finally() { cleanUp_(); }
  Finally(const Finally&) = delete;
  Finally& operator=(const Finally&) = delete;

 private:
  CleanUp cleanUp_;
};

}  // namespace toolkit
