// Veltrin's cost beside the raw limits of the same work, measured side by side in one run on
// generated data in a temporary profile.

#include <QApplication>

#include <cstdio>
#include <cstring>

#include "CookieScenarios.h"
#include "Harness.h"
#include "HistoryScenarios.h"
#include "ProcessScenarios.h"
#include "Profile.h"
#include "platform/linux/LinuxPlatform.h"
#include "toolkit/Application.h"

int main(int argc, char* argv[]) {
  if (argc == 3 && std::strcmp(argv[1], "--child") == 0) {
    int qtArgc = 1;
    return bench::RunChild(argv[2], qtArgc, argv);
  }
  const bench::Profile profile;
  // No drive's own trash is ever reached: only the profile's.
  setenv("STANDIN_MOUNTINFO", "", 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication qt(argc, argv);
  std::vector<bench::Row> rows;
  {
    const standin::LinuxPlatform platform;
    toolkit::TApplication application;
    bench::CookieScenarios(rows);
    bench::HistoryScenarios(rows);
  }
  bench::ProcessScenarios(argv[0], rows);
  bench::Print(rows);
  return 0;
}
