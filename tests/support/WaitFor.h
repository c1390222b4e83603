#pragma once
// Waiting on another process with a bound: this process's events keep being dispatched, and
// the wait ends as soon as the condition holds.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <functional>

namespace support {

// Whether the condition came to hold within `timeoutMs`.
inline bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 10000) {
  QElapsedTimer clock;
  clock.start();
  while (!condition()) {
    if (clock.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QThread::msleep(10);
  }
  return true;
}

}  // namespace support
