// The program: one main window, run until it closes.

#include <QApplication>

#include "app/MainUnit.h"
#include "app/ToolbarImages.h"
#include "platform/linux/LinuxPlatform.h"
#include "toolkit/Application.h"

int main(int /*argc*/, char* argv[]) {
  // The program reads no command line; Qt is given none to read either.
  int qtArgc = 1;
  QApplication qt(qtArgc, argv);
  QApplication::setWindowIcon(ApplicationIcon());
  const standin::LinuxPlatform platform;
  toolkit::TApplication application;

  toolkit::Application->Initialize();
  toolkit::Application->CreateForm(MainForm);
  toolkit::Application->Run();
  return 0;
}
