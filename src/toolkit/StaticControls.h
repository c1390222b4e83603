#pragma once
// Panels, rules, labels, one-line edits and tabbed pages: Qt widgets placed at fixed
// positions inside their parent, as a stored layout places them.

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

namespace toolkit {

class TPanel : public QFrame {
 public:
  enum class Bevel { None, Raised };
  TPanel(QWidget* parent, Bevel bevel) : QFrame(parent) {
    setFrameStyle(bevel == Bevel::None ? QFrame::NoFrame : QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
  }
};

// A horizontal rule.
class TBevel : public QFrame {
 public:
  explicit TBevel(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::HLine | QFrame::Sunken);
  }
};

class TLabel : public QLabel {
 public:
  TLabel(QWidget* parent, const QString& caption) : QLabel(caption, parent) {
    setTextFormat(Qt::PlainText);
  }
};

class TEdit : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;
};

class TTabSheet : public QWidget {
 public:
  using QWidget::QWidget;
};

class TPageControl : public QTabWidget {
 public:
  using QTabWidget::QTabWidget;
};

}  // namespace toolkit
