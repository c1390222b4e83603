#include "platform/linux/LinuxPlatform.h"

namespace standin {

LinuxPlatform::LinuxPlatform()
    : urlCache_(UrlCacheStore::DefaultFile()), registry_(RegistryStore::DefaultFile()) {}

}  // namespace standin
