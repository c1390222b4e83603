#include "CookieScenarios.h"

#include <sqlite3.h>

#include <QHeaderView>

#include <array>
#include <string>

#include "Profile.h"
#include "app/FuncUnit.h"
#include "app/MainUnit.h"
#include "platform/linux/UrlCacheStore.h"

namespace bench {
namespace {

constexpr int kRuns = 5;

// The reference listing: one query over the same store, the same five texts per cookie.
std::vector<std::array<std::string, 5>> QueryCookies() {
  std::vector<std::array<std::string, 5>> rows;
  sqlite3* db = nullptr;
  sqlite3_open_v2(standin::UrlCacheStore::DefaultFile().c_str(), &db, SQLITE_OPEN_READONLY,
                  nullptr);
  sqlite3_stmt* query = nullptr;
  sqlite3_prepare_v2(db, "SELECT url, type, hits, modified, expires FROM entries ORDER BY id", -1,
                     &query, nullptr);
  while (sqlite3_step(query) == SQLITE_ROW) {
    if ((sqlite3_column_int64(query, 1) & COOKIE_CACHE_ENTRY) == 0) continue;
    const std::string url(static_cast<const char*>(sqlite3_column_blob(query, 0)),
                          static_cast<std::size_t>(sqlite3_column_bytes(query, 0)));
    const auto time = [&](int column) {
      const auto value = static_cast<std::uint64_t>(sqlite3_column_int64(query, column));
      return FILETIME{static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
    };
    const std::size_t at = url.find('@');
    rows.push_back({StripTrailingSlash(url.substr(at == std::string::npos ? 0 : at + 1, 260)),
                    std::to_string(static_cast<DWORD>(sqlite3_column_int64(query, 2))),
                    FileTimeToText(time(3)), FileTimeToText(time(4)), url});
  }
  sqlite3_finalize(query);
  sqlite3_close(db);
  return rows;
}

void DeleteCookiesInOneTransaction() {
  sqlite3* db = nullptr;
  sqlite3_open(standin::UrlCacheStore::DefaultFile().c_str(), &db);
  sqlite3_exec(db, "DELETE FROM entries WHERE type & 1048576", nullptr, nullptr, nullptr);
  sqlite3_close(db);
}

// A window freshly created over the store, its list in the cache's order.
void Reopen() {
  delete MainForm;
  MainForm = new TMainForm;
  MainForm->FormCreate(nullptr);
}

void ClickHeader(int column) {
  emit MainForm->lvCookies->horizontalHeader()->sectionClicked(column);
}

}  // namespace

void CookieScenarios(std::vector<Row>& rows) {
  const auto nothing = [] {};
  Profile::SeedCache(200'000, 2);
  Reopen();
  rows.push_back({"\"Refresh\", 200,000 entries, 100,000 cookies",
                  Median(kRuns, nothing, [] { MainForm->btnRefreshClick(nullptr); }),
                  Median(kRuns, nothing, [] { QueryCookies(); }), "<= 2.5x", 2.5});

  const double byHits = Median(kRuns, Reopen, [] { ClickHeader(1); });
  rows.push_back({"sort 100,000 rows by \"Modified\" (reference: by \"Hits\")",
                  Median(kRuns, Reopen, [] { ClickHeader(2); }), byHits, "<= 2x", 2});
  rows.push_back({"sort 100,000 rows by \"Address\" (reference: by \"Hits\")",
                  Median(kRuns, Reopen, [] { ClickHeader(0); }), byHits, "<= 2x", 2});

  const auto seedCookies = [] {
    Profile::SeedCache(100'000, 1);
    Reopen();
  };
  rows.push_back({"\"Check All\" + \"Delete\", 100,000 cookies, reload included",
                  Median(kRuns, seedCookies,
                         [] {
                           MainForm->ToolButton1->Click();
                           MainForm->ToolButton5->Click();
                         }),
                  Median(kRuns, seedCookies,
                         [] {
                           DeleteCookiesInOneTransaction();
                           MainForm->btnRefreshClick(nullptr);
                         }),
                  "<= 4x", 4});
  delete MainForm;
  MainForm = nullptr;
}

}  // namespace bench
