#pragma once

#include <QListWidget>
#include <QStringList>

namespace toolkit {

// A list of fixed items, each with a check box that the user toggles by mouse or space bar.
class TCheckListBox : public QListWidget {
 public:
  TCheckListBox(QWidget* parent, const QStringList& items);

  int Count() const { return count(); }
  bool Checked(int index) const;
  void SetChecked(int index, bool checked);
};

}  // namespace toolkit
