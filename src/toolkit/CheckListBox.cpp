#include "toolkit/CheckListBox.h"

namespace toolkit {

TCheckListBox::TCheckListBox(QWidget* parent, const QStringList& items) : QListWidget(parent) {
  for (const QString& text : items) {
    auto* item = new QListWidgetItem(text, this);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
}

bool TCheckListBox::Checked(int index) const {
  return item(index)->checkState() == Qt::Checked;
}

void TCheckListBox::SetChecked(int index, bool checked) {
  item(index)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

}  // namespace toolkit
