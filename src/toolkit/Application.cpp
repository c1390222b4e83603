#include "toolkit/Application.h"

#include <QApplication>
#include <QCursor>
#include <QFileInfo>
#include <QFont>

#include <new>
#include <utility>

#include "platform/Windowing.h"
#include "toolkit/Form.h"

namespace toolkit {

TApplication* Application = nullptr;

TApplication::TApplication()
    : title_(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdString()) {
  Application = this;
  // The dialog font is matched to a sans serif of the same metrics where the system has one.
  QFont::insertSubstitutions("MS Sans Serif", {"Liberation Sans", "Arimo", "Arial"});
}

TApplication::~TApplication() {
  delete mainForm_;
  if (cursor_ != crDefault) SetCursor(crDefault);
  Application = nullptr;
}

void TApplication::Adopt(TForm* form) {
  if (mainForm_ == nullptr) mainForm_ = form;
  form->DoCreate();
}

void TApplication::Run() {
  if (mainForm_ == nullptr) return;
  mainForm_->show();
  mainForm_->activateWindow();
  QApplication::exec();
}

HWND TApplication::Handle() const {
  return mainForm_ != nullptr ? mainForm_->Handle() : nullptr;
}

void TApplication::ProcessMessages() {
  platform::DispatchPendingMessages();
}

void TApplication::SetCursor(TCursor cursor) {
  cursor_ = cursor;
  while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();
  if (cursor == crHourGlass) QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void TApplication::Dispatch(const std::function<void()>& handler) noexcept {
  ++handlerDepth_;
  try {
    handler();
  } catch (...) {
    ShowException(std::current_exception());
  }
  if (--handlerDepth_ == 0 && pendingClose_ != nullptr) std::exchange(pendingClose_, {})->close();
}

void TApplication::CloseWhenIdle(TForm* form) {
  pendingClose_ = form;
}

void TApplication::ShowException(const std::exception_ptr& error) {
  std::string message;
  try {
    std::rethrow_exception(error);
  } catch (const std::bad_alloc&) {
    message = "Out of memory";
  } catch (const std::exception& e) {
    message = e.what();
  } catch (...) {
    message = "Unknown error";
  }
  // The toolkit ends every shown message with a full stop.
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
  MessageBoxA(mainForm_ != nullptr ? mainForm_->Handle() : nullptr, message.c_str(), title_.c_str(),
              MB_OK | MB_ICONSTOP);
}

}  // namespace toolkit
