// The stand-in Internet Options program: "Internet Properties" at the tab its one argument
// names, until the user closes it.

#include <QApplication>

#include "inetcpl/PropertiesDialog.h"
#include "inetcpl/SiteDecisions.h"
#include "platform/linux/RegistryStore.h"
#include "platform/linux/RuntimeDirectory.h"
#include "platform/linux/WindowHost.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const QStringList arguments = QCoreApplication::arguments();
  bool number = false;
  const int tab = arguments.size() > 1 ? arguments[1].toInt(&number) : 0;

  standin::WindowHost host(standin::RuntimeDirectory());
  standin::RegistryStore store(standin::RegistryStore::DefaultFile());
  inetcpl::SiteDecisions decisions(store);
  inetcpl::PropertiesDialog dialog(host, decisions, number ? tab : 0);
  dialog.show();
  return QApplication::exec();
}
