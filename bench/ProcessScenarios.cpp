#include "ProcessScenarios.h"

#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "Profile.h"
#include "app/MainUnit.h"
#include "platform/linux/LinuxPlatform.h"
#include "toolkit/Application.h"

namespace bench {
namespace {

constexpr int kRuns = 9;

void WaitUntilShown(QWidget& window) {
  window.show();
  while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed()) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
  }
  QCoreApplication::processEvents();
}

double ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0;
  long resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE));
}

// Runs a child until it prints its figure; seconds from its start to that line, or the figure.
double Child(const std::string& self, const QString& mode, double* figure = nullptr) {
  QProcess child;
  QElapsedTimer clock;
  clock.start();
  child.start(QString::fromStdString(self), {"--child", mode});
  child.waitForReadyRead(120'000);
  const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
  const QByteArray line = child.readLine();
  if (figure != nullptr) *figure = line.trimmed().toDouble();
  child.waitForFinished(120'000);
  return seconds;
}

// Wall time from a child's start to its window shown: the median of kRuns starts.
double MedianChild(const std::string& self, const QString& mode) {
  std::vector<double> times;
  for (int i = 0; i < kRuns; ++i) times.push_back(Child(self, mode));
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int RunChild(const std::string& mode, int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication qt(argc, argv);
  if (mode == "bare") {
    QWidget window;
    window.setFixedSize(501, 444);
    WaitUntilShown(window);
    std::printf("shown\n");
    return 0;
  }
  const standin::LinuxPlatform platform;
  toolkit::TApplication application;
  toolkit::Application->CreateForm(MainForm);
  WaitUntilShown(*MainForm);
  if (mode == "veltrin") {
    std::printf("shown\n");
  } else if (mode == "memory") {
    std::printf("%.0f\n", ResidentBytes());
  } else if (mode == "texts") {
    double bytes = 0;
    for (int i = 0; i < MainForm->lvCookies->Items->Count(); ++i) {
      const toolkit::TListItem* row = MainForm->lvCookies->Items->Item(i);
      bytes += static_cast<double>(row->Caption().size());
      for (int sub = 0; sub < 4; ++sub) bytes += static_cast<double>(row->SubItem(sub).size());
    }
    std::printf("%.0f\n", bytes);
  }
  std::fflush(stdout);
  return 0;
}

void ProcessScenarios(const std::string& self, std::vector<Row>& rows) {
  const double bare = MedianChild(self, "bare");
  Profile::SeedCache(0, 1);
  rows.push_back({"start-up to the window shown, empty profile (reference: bare Qt window)",
                  MedianChild(self, "veltrin"), bare, "<= 1.5x", 1.5});
  double empty = 0;
  Child(self, "memory", &empty);

  Profile::SeedCache(100'000, 1);
  rows.push_back({"start-up to the window shown, 100,000 cookies (reference: bare Qt window)",
                  MedianChild(self, "veltrin"), bare, "none", 1e9});
  double full = 0;
  double texts = 0;
  Child(self, "memory", &full);
  Child(self, "texts", &texts);
  Row memory{"resident memory of 100,000 listed rows less none (reference: their texts' bytes)",
             full - empty, texts, "<= 2.5x", 2.5};
  memory.bytes = true;
  rows.push_back(memory);
}

}  // namespace bench
