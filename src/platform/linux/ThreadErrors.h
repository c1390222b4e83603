#pragma once

#include "platform/Errors.h"

namespace standin {

// One last-error slot per thread, as the calls report per thread.
class ThreadErrors final : public platform::Errors {
 public:
  DWORD GetLastError() override;
  void SetLastError(DWORD code) override;
};

}  // namespace standin
