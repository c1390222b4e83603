#include "platform/linux/ThreadErrors.h"

namespace standin {
namespace {
thread_local DWORD lastError = ERROR_SUCCESS;
}  // namespace

DWORD ThreadErrors::GetLastError() {
  return lastError;
}

void ThreadErrors::SetLastError(DWORD code) {
  lastError = code;
}

}  // namespace standin
