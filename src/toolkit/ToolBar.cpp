#include "toolkit/ToolBar.h"

namespace toolkit {
namespace {
constexpr int kButtonWidth = 66;
constexpr int kButtonHeight = 52;
constexpr int kSeparatorWidth = 8;
}  // namespace

TToolButton::TToolButton(QWidget* toolBar, const QString& caption, const QIcon& image, int tag)
    : QToolButton(toolBar), Tag(tag) {
  setText(caption);
  setIcon(image);
  setIconSize(QSize(32, 32));
  setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  setAutoRaise(true);
  setFocusPolicy(Qt::TabFocus);
  connect(this, &QToolButton::clicked, this,
          [this] { Application->Dispatch([this] { Click(); }); });
}

void TToolButton::Click() {
  if (OnClick) OnClick(this);
}

TToolBar::TToolBar(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setAutoFillBackground(true);
  QPalette menu = palette();
  menu.setColor(QPalette::Window, menu.color(QPalette::Button));
  setPalette(menu);
}

TToolButton* TToolBar::AddButton(const QString& caption, const QIcon& image, int tag) {
  auto* button = new TToolButton(this, caption, image, tag);
  button->setGeometry(nextX_ + 2, 2, kButtonWidth, kButtonHeight);
  nextX_ += kButtonWidth;
  return button;
}

TToolButton* TToolBar::AddSeparator() {
  auto* separator = new TToolButton(this, {}, {}, 0);
  separator->setGeometry(nextX_ + 2, 2, kSeparatorWidth, kButtonHeight);
  separator->hide();
  nextX_ += kSeparatorWidth;
  return separator;
}

}  // namespace toolkit
