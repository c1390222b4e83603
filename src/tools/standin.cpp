// The stand-in platform's own tool: seeds and inspects the current user's stores.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/UrlCache.h"
#include "platform/linux/DataDirectory.h"
#include "platform/linux/MountTable.h"
#include "platform/linux/TrashDirectories.h"
#include "platform/linux/UrlCacheStore.h"
#include "tools/DemoDesktop.h"
#include "tools/DemoProfile.h"
#include "tools/DemoRegistry.h"
#include "tools/FileTimes.h"
#include "tools/RegeditText.h"
#include "tools/RegistryCommands.h"

namespace {

using standin::CacheEntry;
using standin::UrlCacheStore;

constexpr const char* kUsage =
    "usage: standin COMMAND\n"
    "  cache list                      every entry: type, hits, modified, expires, URL name\n"
    "  cache add URL [OPTION...]       add an entry, or change the one of that name\n"
    "      --cookie                    a cookie entry (type 0x00100001)\n"
    "      --type N                    entry type flags (decimal or 0x hex; default 0x1)\n"
    "      --hits N                    hit count (default 0)\n"
    "      --modified TIME             YYYY-MM-DD[THH:MM:SSZ], UTC (default: now)\n"
    "      --expires TIME              the same, or never (default: never)\n"
    "  cache remove URL...             remove the entries of these names\n"
    "  reg list KEY                    the key's subkeys (ending in \\) and values\n"
    "  reg add KEY [NAME TYPE DATA]    add a key, or add or change one of its values; TYPE is\n"
    "                                  REG_SZ, REG_EXPAND_SZ, REG_DWORD, REG_QWORD or REG_BINARY\n"
    "                                  (DATA in hex digits); NAME \"\" is the default value\n"
    "  reg delete KEY [NAME]           delete a key with its subkeys, or one of its values\n"
    "  reg export [KEY]                REGEDIT4 text of the key and its subkeys (default: all)\n"
    "  reg import FILE                 apply a REGEDIT4 text (- for the standard input)\n"
    "  trash                           the trash directories the recycle bin empties\n"
    "  demo                            add the demo profile to the stores\n"
    "Keys are paths under HKEY_CURRENT_USER, with or without that prefix. The stores live in\n"
    "$XDG_DATA_HOME/veltrin-standin (default ~/.local/share); the drives are those of\n"
    "/proc/self/mountinfo, or of the table STANDIN_MOUNTINFO names (none when empty).\n";

int Fail(const std::string& message) {
  std::fprintf(stderr, "standin: %s\n", message.c_str());
  return 2;
}

std::optional<unsigned long> Number(const char* text) {
  char* end = nullptr;
  errno = 0;
  const unsigned long value = std::strtoul(text, &end, 0);
  if (errno != 0 || end == text || *end != '\0' || text[0] == '-' || value > 0xFFFFFFFFul) {
    return std::nullopt;
  }
  return value;
}

std::uint64_t Now() {
  constexpr std::uint64_t kUnixEpochTicks = 116'444'736'000'000'000ull;
  return kUnixEpochTicks + static_cast<std::uint64_t>(std::time(nullptr)) * 10'000'000ull;
}

int List(UrlCacheStore& store) {
  for (const CacheEntry& entry : store.All()) {
    std::printf("0x%08x\t%u\t%s\t%s\t%s\n", entry.type, entry.hits,
                standin::FormatFileTime(entry.modified).c_str(),
                standin::FormatFileTime(entry.expires).c_str(), entry.url.c_str());
  }
  return 0;
}

int Add(UrlCacheStore& store, const std::vector<std::string>& args) {
  if (args.empty() || args[0].empty()) return Fail("cache add needs a URL name");
  CacheEntry entry{args[0], NORMAL_CACHE_ENTRY, 0, Now(), 0, 0};
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option == "--cookie") {
      entry.type = COOKIE_CACHE_ENTRY | NORMAL_CACHE_ENTRY;
      continue;
    }
    if (i + 1 >= args.size()) return Fail(option + " needs a value");
    const std::string& value = args[++i];
    if (option == "--type" || option == "--hits") {
      const auto number = Number(value.c_str());
      if (!number) return Fail("not a 32-bit unsigned number: " + value);
      (option == "--type" ? entry.type : entry.hits) = static_cast<DWORD>(*number);
    } else if (option == "--modified" || option == "--expires") {
      const auto time = standin::ParseFileTime(value);
      if (!time) return Fail("not a time (YYYY-MM-DDTHH:MM:SSZ or never): " + value);
      (option == "--modified" ? entry.modified : entry.expires) = *time;
    } else {
      return Fail("unknown option " + option);
    }
  }
  entry.accessed = entry.modified;
  if (!store.Put(entry)) return Fail("cannot write the URL cache " + store.DefaultFile().string());
  return 0;
}

int Remove(UrlCacheStore& store, const std::vector<std::string>& names) {
  if (names.empty()) return Fail("cache remove needs a URL name");
  int status = 0;
  for (const std::string& name : names) {
    if (!store.Remove(name)) status = Fail("no entry named " + name);
  }
  return status;
}

int Demo(UrlCacheStore& store) {
  if (!store.PutAll(standin::DemoCacheEntries())) return Fail("cannot write the URL cache");
  standin::RegistryStore registry(standin::RegistryStore::DefaultFile());
  if (!standin::ApplyChanges(registry,
                             standin::ParseRegedit(standin::DemoRegistryText()).changes)) {
    return Fail("cannot write the registry");
  }
  const std::filesystem::path home = standin::UserDataHome();
  if (!standin::SeedDemoTrash(home) || !standin::SeedDemoRecentDocuments(home)) {
    return Fail("cannot write the trash or the recent documents of " + home.string());
  }
  return 0;
}

int ListTrash() {
  for (const auto& trash :
       standin::FindTrashDirectories(standin::UserDataHome(), standin::MountedDrives(), getuid())) {
    std::printf("%s\n", trash.path.c_str());
  }
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h") {
    std::fputs(kUsage, args.empty() ? stderr : stdout);
    return args.empty() ? 2 : 0;
  }
  UrlCacheStore store(UrlCacheStore::DefaultFile());
  if (args[0] == "demo" && args.size() == 1) return Demo(store);
  if (args[0] == "trash" && args.size() == 1) return ListTrash();
  if (args[0] == "reg") return standin::RunRegistryCommand({args.begin() + 1, args.end()});
  if (args[0] == "cache" && args.size() >= 2) {
    const std::vector<std::string> rest(args.begin() + 2, args.end());
    if (args[1] == "list" && rest.empty()) return List(store);
    if (args[1] == "add") return Add(store, rest);
    if (args[1] == "remove") return Remove(store, rest);
  }
  std::fputs(kUsage, stderr);
  return 2;
}
