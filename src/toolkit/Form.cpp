#include "toolkit/Form.h"

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

}  // namespace toolkit
