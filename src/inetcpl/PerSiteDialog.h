#pragma once
// "Per Site Privacy Actions": the user blocks or allows cookies of one web site at a time
// and sees, and removes, the decisions made so far.

#include <QDialog>

#include <memory>

#include "inetcpl/PublishedControls.h"
#include "inetcpl/SiteDecisions.h"

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace inetcpl {

class PerSiteDialog : public QDialog {
 public:
  // Control identifiers, as other programs address them.
  enum Control { kAddress = 1001, kBlock = 1002, kAllow = 1003, kRemove = 1004, kRemoveAll = 1005 };

  PerSiteDialog(QWidget* owner, standin::WindowHost& host, SiteDecisions& decisions);
  ~PerSiteDialog() override;

  QLineEdit* Address() const { return address_; }
  QPushButton* Block() const { return block_; }
  QPushButton* Allow() const { return allow_; }
  QPushButton* Remove() const { return remove_; }
  QPushButton* RemoveAll() const { return removeAll_; }
  QPushButton* Ok() const { return ok_; }
  QTreeWidget* Sites() const { return sites_; }

  // Leaves the window directory as it closes, not when it is deleted later.
  void done(int result) override;

 private:
  void Decide(Decision decision);
  void Reload();
  void UpdateButtons();

  SiteDecisions& decisions_;
  QLineEdit* address_;
  QPushButton* block_;
  QPushButton* allow_;
  QTreeWidget* sites_;
  QPushButton* remove_;
  QPushButton* removeAll_;
  QPushButton* ok_;
  std::unique_ptr<PublishedControls> published_;
};

}  // namespace inetcpl
