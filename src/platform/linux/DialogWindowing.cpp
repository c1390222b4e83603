#include "platform/linux/DialogWindowing.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace standin {
namespace {

QMessageBox::Icon IconOf(UINT type) {
  switch (type & 0xF0) {
    case MB_ICONSTOP:
      return QMessageBox::Critical;
    case MB_ICONQUESTION:
      return QMessageBox::Question;
    case MB_ICONWARNING:
      return QMessageBox::Warning;
    case MB_ICONINFORMATION:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

}  // namespace

int DialogWindowing::MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  QWidget* parent = owner == nullptr ? nullptr : QWidget::find(reinterpret_cast<WId>(owner));
  QMessageBox box(IconOf(type), QString::fromUtf8(caption ? caption : "Error"),
                  QString::fromUtf8(text ? text : ""), QMessageBox::Ok, parent);
  box.exec();
  return IDOK;
}

BOOL DialogWindowing::MessageBeep(UINT /*type*/) {
  QApplication::beep();
  return TRUE;
}

void DialogWindowing::DispatchPendingMessages() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace standin
