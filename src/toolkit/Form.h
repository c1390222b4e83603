#pragma once
// A top-level window with creation and activation events.

#include <QWidget>

#include "platform/WinTypes.h"
#include "toolkit/Application.h"

namespace toolkit {

class TForm : public QWidget {
 public:
  TForm();

  TNotifyEvent OnCreate;
  TNotifyEvent OnActivate;

  // Closes the window; closing the main window ends the message loop. A close asked for
  // while a handler runs, by code or by the title bar, waits until every handler returned.
  void Close() { close(); }
  // The window's handle, for the platform calls it owns.
  HWND Handle() { return reinterpret_cast<HWND>(winId()); }

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  friend class TApplication;
  void DoCreate();
};

}  // namespace toolkit
