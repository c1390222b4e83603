#include "platform/linux/DeletionGroups.h"

#include <QCoreApplication>
#include <QTimer>

namespace standin {

bool DeletionGroups::BeforeDeletion() {
  if (lockedOut_) return false;
  const auto now = std::chrono::steady_clock::now();
  if (store_.Writing() && now - began_ > kCommitEvery) store_.CommitWrites();
  if (store_.Writing() || QCoreApplication::instance() == nullptr) return true;
  if (store_.BeginWrites()) {
    began_ = now;
    QTimer::singleShot(0, &context_, [this] { store_.CommitWrites(); });
  } else if (store_.LockTimedOut()) {
    lockedOut_ = true;
    QTimer::singleShot(0, &context_, [this] { lockedOut_ = false; });
    return false;
  }
  return true;
}

}  // namespace standin
