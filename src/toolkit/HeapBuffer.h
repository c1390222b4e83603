#pragma once
// A heap block of exactly the size asked for, taken from the platform heap and freed when the
// object goes, on every path. A size of 0 gives no block: a null pointer.

#include "platform/WinTypes.h"

namespace toolkit {

class HeapBuffer {
 public:
  // Raises EOutOfMemory when the heap cannot give the block.
  explicit HeapBuffer(DWORD bytes);
  ~HeapBuffer();
  HeapBuffer(const HeapBuffer&) = delete;
  HeapBuffer& operator=(const HeapBuffer&) = delete;

  template <class T>
  T* As() const {
    return static_cast<T*>(block_);
  }

 private:
  void* block_ = nullptr;
};

}  // namespace toolkit
