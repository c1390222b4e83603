#pragma once
// The application object: the main window, the message loop, the application-wide cursor and
// the application-wide error handler.

#include <QPointer>

#include <exception>
#include <functional>
#include <string>

#include "platform/WinTypes.h"

class QObject;

namespace toolkit {

using TObject = QObject;
using TNotifyEvent = std::function<void(TObject* sender)>;

class TForm;

enum TCursor : int { crDefault = 0, crHourGlass = -11 };

class TApplication {
 public:
  // Needs the Qt application object to exist; becomes `Application`.
  TApplication();
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  void Initialize() {}
  // Creates a form; the first becomes the main window. Its OnCreate runs once it is built.
  template <class Form>
  void CreateForm(Form*& reference) {
    reference = new Form();
    Adopt(reference);
  }
  // Shows the main window and runs the message loop until the main window closes.
  void Run();
  // Dispatches every message waiting in the queue, then returns; handlers may run inside it.
  void ProcessMessages();
  // The program file's name without its extension.
  const std::string& Title() const { return title_; }
  TForm* MainForm() const { return mainForm_; }
  // The window that stands for the application in platform calls: the main window's, or null
  // while there is none.
  HWND Handle() const;

  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);

  // Runs an event handler; an error that escapes it is shown, and the program goes on.
  void Dispatch(const std::function<void()>& handler) noexcept;
  // Whether a handler is running, perhaps with others nested inside it.
  bool Busy() const { return handlerDepth_ > 0; }
  // Closes the form once every running handler has returned.
  void CloseWhenIdle(TForm* form);
  // Shows the error's message in an error box titled with the application title.
  void ShowException(const std::exception_ptr& error);

 private:
  void Adopt(TForm* form);

  std::string title_;
  TForm* mainForm_ = nullptr;
  TCursor cursor_ = crDefault;
  int handlerDepth_ = 0;
  QPointer<TForm> pendingClose_;
};

// The one application object of the process, while it exists.
extern TApplication* Application;

}  // namespace toolkit
