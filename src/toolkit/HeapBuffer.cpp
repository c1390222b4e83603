#include "toolkit/HeapBuffer.h"

#include "platform/Memory.h"
#include "toolkit/Exceptions.h"

namespace toolkit {

HeapBuffer::HeapBuffer(DWORD bytes) {
  if (bytes == 0) return;
  block_ = LocalAlloc(LMEM_FIXED, bytes);
  if (block_ == nullptr) throw EOutOfMemory();
}

HeapBuffer::~HeapBuffer() {
  if (block_ != nullptr) LocalFree(block_);
}

}  // namespace toolkit
