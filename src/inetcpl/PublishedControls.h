#pragma once
// A dialog and its controls as the other programs of the user see them in the window
// directory: classes, titles and control identifiers, and the messages they answer.

#include <QObject>
#include <QPointer>
#include <QString>

#include <map>
#include <memory>
#include <vector>

#include "platform/linux/WindowHost.h"

class QAbstractButton;
class QLineEdit;

namespace inetcpl {

class PublishedControls {
 public:
  explicit PublishedControls(standin::WindowHost& host);
  ~PublishedControls();
  PublishedControls(const PublishedControls&) = delete;
  PublishedControls& operator=(const PublishedControls&) = delete;

  // A dialog, class "#32770" (a null parent makes it top-level). WM_COMMAND with BN_CLICKED
  // and the identifier of a button published here clicks that button, as a click does.
  HWND AddDialog(const QString& title, HWND parent);
  // A push button, class "Button", titled with its text.
  HWND AddButton(QAbstractButton* button, HWND parent, int id);
  // A one-line edit, class "Edit", titled with its text as that changes; WM_SETTEXT fills it.
  HWND AddEdit(QLineEdit* edit, HWND parent, int id);

 private:
  HWND Keep(std::unique_ptr<standin::WindowHost::Window> window);

  standin::WindowHost& host_;
  std::map<int, QPointer<QAbstractButton>> buttons_;
  std::vector<std::unique_ptr<standin::WindowHost::Window>> windows_;
  // Ends the connections to the controls first, before the windows they update go.
  QObject context_;
};

}  // namespace inetcpl
