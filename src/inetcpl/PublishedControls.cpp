#include "inetcpl/PublishedControls.h"

#include <QAbstractButton>
#include <QLineEdit>

#include "platform/WindowMessaging.h"

namespace inetcpl {
namespace {

std::string Utf8(const QString& text) {
  return text.toUtf8().toStdString();
}

}  // namespace

PublishedControls::PublishedControls(standin::WindowHost& host) : host_(host) {}

PublishedControls::~PublishedControls() = default;

HWND PublishedControls::Keep(std::unique_ptr<standin::WindowHost::Window> window) {
  if (window == nullptr) return nullptr;
  windows_.push_back(std::move(window));
  return windows_.back()->Handle();
}

HWND PublishedControls::AddDialog(const QString& title, HWND parent) {
  return Keep(host_.Show("#32770", Utf8(title), parent, 0,
                         [this](UINT message, WPARAM wParam, LPARAM /*lParam*/) -> LRESULT {
                           if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return 0;
                           const auto found = buttons_.find(LOWORD(wParam));
                           if (found == buttons_.end() || found->second.isNull()) return 0;
                           // Clicked once this message is done with: the click may close
                           // the dialog, and these windows with it.
                           QMetaObject::invokeMethod(found->second.data(), &QAbstractButton::click,
                                                     Qt::QueuedConnection);
                           return 0;
                         }));
}

HWND PublishedControls::AddButton(QAbstractButton* button, HWND parent, int id) {
  buttons_[id] = button;
  return Keep(host_.Show("Button", Utf8(button->text()), parent, id, {}));
}

HWND PublishedControls::AddEdit(QLineEdit* edit, HWND parent, int id) {
  const QPointer<QLineEdit> field(edit);
  const HWND handle =
      Keep(host_.Show("Edit", Utf8(edit->text()), parent, id,
                      [field](UINT message, WPARAM /*wParam*/, LPARAM lParam) -> LRESULT {
                        if (message != WM_SETTEXT || field.isNull()) return FALSE;
                        const auto* text = reinterpret_cast<const char*>(lParam);
                        field->setText(text == nullptr ? QString() : QString::fromUtf8(text));
                        return TRUE;
                      }));
  if (handle != nullptr) {
    standin::WindowHost::Window* window = windows_.back().get();
    // An edit's window text is what it holds, and searches by title see that.
    QObject::connect(edit, &QLineEdit::textChanged, &context_,
                     [window](const QString& text) { window->SetTitle(Utf8(text)); });
  }
  return handle;
}

}  // namespace inetcpl
