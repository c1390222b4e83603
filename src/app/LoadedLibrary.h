#pragma once

#include "platform/Modules.h"

// Frees a loaded library when it goes out of scope, on every path.
class LoadedLibrary {
 public:
  explicit LoadedLibrary(HMODULE module) : module_(module) {}
  ~LoadedLibrary() { FreeLibrary(module_); }
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;

  HMODULE Get() const { return module_; }

 private:
  HMODULE module_;
};
