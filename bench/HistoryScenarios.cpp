#include "HistoryScenarios.h"

#include <sqlite3.h>

#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <thread>

#include "Profile.h"
#include "app/MainUnit.h"
#include "platform/linux/RegistryStore.h"
#include "platform/linux/UrlCacheStore.h"

namespace bench {
namespace {

namespace fs = std::filesystem;

constexpr int kRuns = 3;
constexpr int kTypedUrls = 0;
constexpr int kCachePages = 1;
constexpr int kRecycleBin = 5;
constexpr const char* kTypedUrlsKey = "Software\\Microsoft\\Internet Explorer\\TypedURLs";

void Reopen() {
  delete MainForm;
  MainForm = new TMainForm;
}

// Runs one clean-up of the second tab as "Delete" does.
void RunCleanUp(int item) {
  MainForm->CheckListBox1->SetChecked(item, true);
  MainForm->ToolButton11->Click();
}

void Exec(const fs::path& file, const char* sql) {
  sqlite3* db = nullptr;
  sqlite3_open(file.c_str(), &db);
  sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
  sqlite3_close(db);
}

// A trash of 20,000 files in 2,000 folders, each item with its info file, under `home`.
void SeedTrash(const fs::path& home) {
  const fs::path trash = home / "Trash";
  // GIO's trash daemon may still be removing what an earlier run expunged: try until it is gone.
  std::error_code error;
  for (int attempt = 0; attempt < 200; ++attempt) {
    fs::remove_all(trash, error);
    if (!error) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  fs::create_directories(trash / "files");
  fs::create_directories(trash / "info");
  for (int folder = 0; folder < 2000; ++folder) {
    const std::string name = "folder" + std::to_string(folder);
    const fs::path dir = trash / "files" / name;
    fs::create_directories(dir);
    for (int file = 0; file < 10; ++file) {
      std::ofstream(dir / ("file" + std::to_string(file) + ".txt")) << "some text\n";
    }
    std::ofstream(trash / "info" / (name + ".trashinfo"))
        << "[Trash Info]\nPath=/home/user/" << name << "\nDeletionDate=2026-12-01T10:00:00\n";
  }
}

// Wall seconds of one command.
double Command(const QString& program, const QStringList& arguments) {
  QProcess process;
  QElapsedTimer clock;
  clock.start();
  process.start(program, arguments);
  process.waitForFinished(600'000);
  return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

double MedianCommand(const std::function<void()>& prepare, const QString& program,
                     const QStringList& arguments) {
  std::vector<double> times;
  for (int i = 0; i < kRuns; ++i) {
    prepare();
    times.push_back(Command(program, arguments));
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

double WallMedian(const std::function<void()>& prepare, const std::function<void()>& measured) {
  std::vector<double> times;
  for (int i = 0; i < kRuns; ++i) {
    prepare();
    QElapsedTimer clock;
    clock.start();
    measured();
    times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e9);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

void HistoryScenarios(std::vector<Row>& rows) {
  Reopen();
  const auto seedCache = [] { Profile::SeedCache(200'000, 2); };
  rows.push_back(
      {"\"Clear Internet Explorer Cache Pages\", 200,000 entries",
       Median(kRuns, seedCache, [] { RunCleanUp(kCachePages); }),
       Median(kRuns, seedCache,
              [] { Exec(standin::UrlCacheStore::DefaultFile(), "DELETE FROM entries"); }),
       "<= 4x", 4});

  const fs::path home = std::getenv("XDG_DATA_HOME");
  const auto seedTrash = [&] { SeedTrash(home); };
  // Emptying is mostly the kernel's work: measured on the wall clock, as the commands are.
  const double veltrin = WallMedian(seedTrash, [] { RunCleanUp(kRecycleBin); });
  const double rm = MedianCommand(seedTrash, "rm", {"-rf", QString::fromStdString(home / "Trash")});
  rows.push_back({"\"Empty Recycle Bin\", 20,000 files in 2,000 folders (reference: rm -rf)",
                  veltrin, rm, "<= 1.3x", 1.3});
  rows.push_back({"the same (reference: gio trash --empty)", veltrin,
                  MedianCommand(seedTrash, "dbus-run-session", {"--", "gio", "trash", "--empty"}),
                  "< 1x", 1, true});
  rows.push_back({"the same (reference: trash-empty of trash-cli)", veltrin,
                  MedianCommand(seedTrash, "trash-empty", {}), "< 1x", 1, true});

  const auto seedKey = [] {
    standin::RegistryStore store(standin::RegistryStore::DefaultFile());
    if (const auto old = store.FindKey(kTypedUrlsKey)) store.DeleteKey(*old);
    const auto key = store.CreateKey(kTypedUrlsKey);
    for (int i = 0; i < 10'000; ++i) {
      store.SetValue(*key, {"url" + std::to_string(i + 1), 1, "http://site" + std::to_string(i)});
    }
  };
  rows.push_back({"a registry key of 10,000 values cleared",
                  Median(kRuns, seedKey, [] { RunCleanUp(kTypedUrls); }),
                  Median(kRuns, seedKey,
                         [] {
                           Exec(standin::RegistryStore::DefaultFile(),
                                "DELETE FROM key_values WHERE key ="
                                " (SELECT id FROM keys WHERE name = 'TypedURLs')");
                         }),
                  "<= 3x", 3});
  delete MainForm;
  MainForm = nullptr;
}

}  // namespace bench
