#include "toolkit/Timer.h"

namespace toolkit {

TTimer::TTimer(QObject* owner, int interval) : timer_(owner) {
  timer_.setInterval(interval);
  QObject::connect(&timer_, &QTimer::timeout, owner, [this, owner] {
    if (OnTimer) Application->Dispatch([this, owner] { OnTimer(owner); });
  });
  timer_.start();
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == timer_.isActive()) return;
  if (enabled) {
    timer_.start();
  } else {
    timer_.stop();
  }
}

}  // namespace toolkit
