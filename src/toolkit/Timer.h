#pragma once

#include <QTimer>

#include "toolkit/Application.h"

namespace toolkit {

// A repeating timer: enabling starts a fresh interval, disabling cancels the pending tick,
// and setting the state it already has changes nothing.
class TTimer {
 public:
  explicit TTimer(QObject* owner, int interval = 1000);

  TNotifyEvent OnTimer;
  bool Enabled() const { return timer_.isActive(); }
  void SetEnabled(bool enabled);
  int Interval() const { return timer_.interval(); }

 private:
  QTimer timer_;
};

}  // namespace toolkit
