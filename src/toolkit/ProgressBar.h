#pragma once

#include <QProgressBar>

namespace toolkit {

// A progress bar whose position is kept within its range, and whose empty range (maximum 0)
// shows an empty bar rather than Qt's busy animation.
class TProgressBar : public QProgressBar {
 public:
  explicit TProgressBar(QWidget* parent);

  int Max() const { return max_; }
  void SetMax(int max);
  int Position() const { return position_; }
  void SetPosition(int position);

 private:
  void Show();

  int max_ = 100;
  int position_ = 0;
};

}  // namespace toolkit
