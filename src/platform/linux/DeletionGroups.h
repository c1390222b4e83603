#pragma once
// Deletions that callers make one call at a time, committed in groups so that each costs no
// commit of its own.

#include <QObject>

#include <chrono>

#include "platform/linux/Database.h"

namespace standin {

// A group is committed when control returns to the event loop, at the latest kCommitEvery
// after it began, or when the owner calls Commit(). Without an event loop every deletion
// commits at once.
class DeletionGroups {
 public:
  // The longest a group stays uncommitted while more deletions keep coming, and so the longest
  // another process waits to write.
  static constexpr std::chrono::milliseconds kCommitEvery{50};

  explicit DeletionGroups(GroupableStore& store) : store_(store) {}

  // Call before each deletion. False when the store stayed locked for a whole lock timeout:
  // the deletion is to fail at once, as are the ones that follow before control returns to
  // the event loop, instead of each waiting as long again.
  bool BeforeDeletion();
  void Commit() { store_.CommitWrites(); }

 private:
  GroupableStore& store_;
  std::chrono::steady_clock::time_point began_;
  bool lockedOut_ = false;
  QObject context_;  // ends a pending commit or lock-out when this object goes
};

}  // namespace standin
