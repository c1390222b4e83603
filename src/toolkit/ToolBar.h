#pragma once
// Flat toolbars of captioned image buttons, and the image list they draw from.

#include <QFrame>
#include <QIcon>
#include <QToolButton>
#include <vector>

#include "toolkit/Application.h"

namespace toolkit {

class TImageList {
 public:
  explicit TImageList(std::vector<QIcon> images) : images_(std::move(images)) {}
  const QIcon& Image(int index) const { return images_.at(static_cast<std::size_t>(index)); }

 private:
  std::vector<QIcon> images_;
};

class TToolButton : public QToolButton {
 public:
  TToolButton(QWidget* toolBar, const QString& caption, const QIcon& image, int tag);

  int Tag;
  TNotifyEvent OnClick;
  // Runs OnClick as a mouse click does, whether or not the button is enabled.
  void Click();
};

class TToolBar : public QFrame {
 public:
  // Buttons 66 x 52 and separators 8 wide, left to right, in a bar 56 high.
  explicit TToolBar(QWidget* parent);

  TToolButton* AddButton(const QString& caption, const QIcon& image, int tag = 0);
  // An empty gap: a button that shows nothing and takes no input.
  TToolButton* AddSeparator();

 private:
  int nextX_ = 0;
};

}  // namespace toolkit
