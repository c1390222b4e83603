#pragma once

#include "platform/Memory.h"

namespace standin {

// Blocks from the C heap.
class HeapMemory final : public platform::Memory {
 public:
  HLOCAL LocalAlloc(UINT flags, SIZE_T bytes) override;
  HLOCAL LocalFree(HLOCAL block) override;
};

}  // namespace standin
