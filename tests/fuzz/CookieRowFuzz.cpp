// Cache entries of any URL name, hit count and times, loaded into the real cookie list and
// sorted by every column: the rows show what the entries hold, and no sort loses a row.

#include <QApplication>
#include <QHeaderView>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "app/FuncUnit.h"
#include "app/MainUnit.h"
#include "fakes/FakePlatform.h"
#include "toolkit/Application.h"

namespace {

struct World {
  World() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    qt = new QApplication(argc, argv);
    platform = new fakes::FakePlatform;
    application = new toolkit::TApplication;
    application->CreateForm(MainForm);
  }
  QApplication* qt;
  fakes::FakePlatform* platform;
  toolkit::TApplication* application;
};

std::uint64_t Read64(const std::uint8_t*& data, std::size_t& size) {
  std::uint64_t value = 0;
  const std::size_t n = size < 8 ? size : 8;
  std::memcpy(&value, data, n);
  data += n;
  size -= n;
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static World* world = new World;
  fakes::FakePlatform& fake = *world->platform;
  fake.cache.clear();
  fake.calls.clear();
  fake.utcOffsetSeconds = static_cast<std::int64_t>(Read64(data, size) % 100'000) - 50'000;
  // Entries split at NUL bytes: a name, then 20 bytes of hits and times.
  while (size > 0) {
    const auto* end = static_cast<const std::uint8_t*>(std::memchr(data, 0, size));
    const std::size_t length = end == nullptr ? size : static_cast<std::size_t>(end - data);
    std::string name(reinterpret_cast<const char*>(data), length);
    data += length;
    size -= length;
    if (size > 0) --size, ++data;
    const auto hits = static_cast<DWORD>(Read64(data, size));
    const std::uint64_t modified = Read64(data, size);
    const std::uint64_t expires = Read64(data, size);
    fake.cache.push_back({name, COOKIE_CACHE_ENTRY, hits, modified, expires});
  }
  MainForm->btnRefreshClick(nullptr);
  const int rows = MainForm->lvCookies->Items->Count();
  if (rows != static_cast<int>(fake.cache.size())) __builtin_trap();
  for (int column = 0; column < 5; ++column) {
    emit MainForm->lvCookies->horizontalHeader()->sectionClicked(column);
    if (MainForm->lvCookies->Items->Count() != rows) __builtin_trap();
  }
  if (!fake.messageBoxes.empty() || fake.LiveBlocks() != 0) __builtin_trap();
  return 0;
}
