#pragma once
// Heap blocks from the process heap.

#include "platform/Installed.h"
#include "platform/WinTypes.h"

inline constexpr UINT LMEM_FIXED = 0x0000;

namespace platform {

class Memory : public Service {
 public:
  // A block of at least `bytes` bytes, or null when the heap cannot give one.
  virtual HLOCAL LocalAlloc(UINT flags, SIZE_T bytes) = 0;
  // Frees a block of LocalAlloc; null is accepted. Returns null on success.
  virtual HLOCAL LocalFree(HLOCAL block) = 0;
};

}  // namespace platform

inline HLOCAL LocalAlloc(UINT flags, SIZE_T bytes) {
  return platform::Installed<platform::Memory>::Get().LocalAlloc(flags, bytes);
}
inline HLOCAL LocalFree(HLOCAL block) {
  return platform::Installed<platform::Memory>::Get().LocalFree(block);
}
