#pragma once
// Every stand-in service of this machine, installed for the lifetime of one object.

#include <filesystem>

#include "platform/linux/DesktopShell.h"
#include "platform/linux/DialogWindowing.h"
#include "platform/linux/DirectoryWindows.h"
#include "platform/linux/HeapMemory.h"
#include "platform/linux/LocalModules.h"
#include "platform/linux/LocalProcesses.h"
#include "platform/linux/LocalTime.h"
#include "platform/linux/StoreRegistry.h"
#include "platform/linux/StoreUrlCache.h"
#include "platform/linux/ThreadErrors.h"
#include "platform/linux/UserCollation.h"

namespace standin {

class LinuxPlatform {
 public:
  // The stores of the current user, under DataDirectory().
  LinuxPlatform();
  LinuxPlatform(const LinuxPlatform&) = delete;
  LinuxPlatform& operator=(const LinuxPlatform&) = delete;

 private:
  ThreadErrors errors_;
  HeapMemory memory_;
  LocalModules modules_;
  LocalTime time_;
  StoreUrlCache urlCache_;
  DialogWindowing windowing_;
  UserCollation collation_;
  StoreRegistry registry_;
  DesktopShell shell_;
  DirectoryWindows windowMessaging_;
  LocalProcesses processes_;
  platform::Installed<platform::Errors> installedErrors_{errors_};
  platform::Installed<platform::Memory> installedMemory_{memory_};
  platform::Installed<platform::Modules> installedModules_{modules_};
  platform::Installed<platform::Time> installedTime_{time_};
  platform::Installed<platform::UrlCache> installedUrlCache_{urlCache_};
  platform::Installed<platform::Windowing> installedWindowing_{windowing_};
  platform::Installed<platform::Locale> installedCollation_{collation_};
  platform::Installed<platform::Registry> installedRegistry_{registry_};
  platform::Installed<platform::Shell> installedShell_{shell_};
  platform::Installed<platform::WindowMessaging> installedWindowMessaging_{windowMessaging_};
  platform::Installed<platform::Processes> installedProcesses_{processes_};
};

}  // namespace standin
