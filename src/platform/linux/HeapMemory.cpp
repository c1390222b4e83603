#include "platform/linux/HeapMemory.h"

#include <cstdlib>
#include <cstring>

#include "platform/Errors.h"

namespace standin {

HLOCAL HeapMemory::LocalAlloc(UINT flags, SIZE_T bytes) {
  (void)flags;  // every block is fixed here
  // A request for no bytes still yields a block of its own, as on the heap it stands in for.
  HLOCAL block = std::malloc(bytes == 0 ? 1 : bytes);
  if (block == nullptr) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return block;
}

HLOCAL HeapMemory::LocalFree(HLOCAL block) {
  std::free(block);
  return nullptr;
}

}  // namespace standin
