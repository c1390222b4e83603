#include "toolkit/Form.h"

#include <QCloseEvent>
#include <QEvent>

namespace toolkit {

TForm::TForm() : QWidget(nullptr, Qt::Dialog) {}

void TForm::DoCreate() {
  if (OnCreate) Application->Dispatch([this] { OnCreate(this); });
}

bool TForm::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  if (event->type() == QEvent::WindowActivate && OnActivate) {
    Application->Dispatch([this] { OnActivate(this); });
  }
  return handled;
}

void TForm::closeEvent(QCloseEvent* event) {
  // A handler waiting for another program keeps its window up until it is done with it.
  if (Application != nullptr && Application->Busy()) {
    event->ignore();
    Application->CloseWhenIdle(this);
    return;
  }
  QWidget::closeEvent(event);
}

}  // namespace toolkit
