#pragma once
// Which implementation of a platform service the process uses: the stand-in in the program,
// a recording fake in tests. An Installed object puts one in place for its lifetime and
// restores the previous one afterwards, so installations nest.

#include <cstdio>
#include <cstdlib>
#include <typeinfo>
#include <utility>

namespace platform {

template <class Service>
class Installed {
 public:
  explicit Installed(Service& service) : previous_(std::exchange(current_, &service)) {}
  ~Installed() { current_ = previous_; }
  Installed(const Installed&) = delete;
  Installed& operator=(const Installed&) = delete;

  // The service in place; calling a platform function with none installed is a wiring fault.
  static Service& Get() {
    if (current_ == nullptr) {
      std::fprintf(stderr, "no platform service installed: %s\n", typeid(Service).name());
      std::abort();
    }
    return *current_;
  }

 private:
  static inline Service* current_ = nullptr;
  Service* previous_;
};

// Base of every service: one instance per process role, never copied.
class Service {
 public:
  Service() = default;
  virtual ~Service() = default;
  Service(const Service&) = delete;
  Service& operator=(const Service&) = delete;
};

}  // namespace platform
