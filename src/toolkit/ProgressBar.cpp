#include "toolkit/ProgressBar.h"

#include <algorithm>

namespace toolkit {

TProgressBar::TProgressBar(QWidget* parent) : QProgressBar(parent) {
  setTextVisible(false);
  Show();
}

void TProgressBar::SetMax(int max) {
  max_ = std::max(max, 0);
  position_ = std::min(position_, max_);
  Show();
}

void TProgressBar::SetPosition(int position) {
  position_ = std::clamp(position, 0, max_);
  Show();
}

void TProgressBar::Show() {
  setRange(0, std::max(max_, 1));
  setValue(position_);
}

}  // namespace toolkit
