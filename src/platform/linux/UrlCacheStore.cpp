#include "platform/linux/UrlCacheStore.h"

#include <system_error>
#include <utility>

#include "platform/linux/DataDirectory.h"

namespace standin {
namespace {

// AUTOINCREMENT: an id is never handed out twice, so a search that remembers the last id it
// fetched never meets a re-added entry a second time.
constexpr const char* kSchema =
    "CREATE TABLE entries("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " url BLOB NOT NULL UNIQUE,"
    " type INTEGER NOT NULL,"
    " hits INTEGER NOT NULL,"
    " modified INTEGER NOT NULL,"
    " expires INTEGER NOT NULL,"
    " accessed INTEGER NOT NULL)";

}  // namespace

UrlCacheStore::UrlCacheStore(std::filesystem::path file) : file_(std::move(file)) {}

UrlCacheStore::~UrlCacheStore() = default;

bool UrlCacheStore::BeginWrites() {
  return writes_.Begin(Connection(false));
}

void UrlCacheStore::CommitWrites() {
  writes_.Commit();
}

std::filesystem::path UrlCacheStore::DefaultFile() {
  return DataDirectory() / "urlcache.db";
}

Database* UrlCacheStore::Connection(bool create) {
  if (db_ != nullptr) return db_.get();
  std::error_code ignored;
  const bool existed = std::filesystem::exists(file_, ignored);
  if (!existed && !create) return nullptr;
  auto db = Database::Connect(
      file_, create ? Database::Open::CreateIfMissing : Database::Open::ExistingOnly);
  if (db == nullptr) return nullptr;
  // Only a new, empty file gets the schema: anything else that lacks it is not ours to change.
  if (create && db->HasNoTables()) {
    // WAL lets readers walk while another process deletes; with synchronous=NORMAL a commit
    // costs no fsync, which keeps deleting entries one call at a time cheap.
    if (!db->Exec("PRAGMA journal_mode=WAL") || !db->Exec(kSchema)) return nullptr;
  }
  db->Exec("PRAGMA synchronous=NORMAL");
  Statement after = db->Prepare(
      "SELECT id, url, type, hits, modified, expires, accessed FROM entries"
      " WHERE id > ?1 ORDER BY id LIMIT ?2");

  Statement remove = db->Prepare("DELETE FROM entries WHERE url = ?1 RETURNING id");
  Statement put = db->Prepare(
      "INSERT INTO entries(url, type, hits, modified, expires, accessed)"
      " VALUES(?1, ?2, ?3, ?4, ?5, ?6) ON CONFLICT(url) DO UPDATE SET"
      " type = excluded.type, hits = excluded.hits, modified = excluded.modified,"
      " expires = excluded.expires, accessed = excluded.accessed");
  // A damaged file, or one that is not a cache, fails here; try afresh on the next call.
  if (!after.Valid() || !remove.Valid() || !put.Valid()) return nullptr;
  db_ = std::move(db);
  after_ = std::move(after);
  remove_ = std::move(remove);
  put_ = std::move(put);
  return db_.get();
}

void UrlCacheStore::Disconnect() {
  after_ = Statement();
  remove_ = Statement();
  put_ = Statement();
  db_.reset();
}

std::optional<StoredEntry> UrlCacheStore::After(std::int64_t id) {
  std::vector<StoredEntry> next = Batch(id, 1);
  if (next.empty()) return std::nullopt;
  return std::move(next.front());
}

std::vector<StoredEntry> UrlCacheStore::Batch(std::int64_t id, int limit) {
  std::vector<StoredEntry> entries;
  // A store read as it stands is opened afresh for every walk, so that it is written again
  // once its folder or its disk allows.
  if (id == 0 && db_ != nullptr && db_->AsItStands() && !writes_.Open()) Disconnect();
  if (Connection(false) == nullptr) return entries;
  after_.Reset();
  after_.Bind(1, id);
  after_.Bind(2, static_cast<std::int64_t>(limit));
  while (after_.Step() == SQLITE_ROW) {
    entries.push_back(
        {after_.Int(0),
         CacheEntry{std::string(after_.Bytes(1)), static_cast<DWORD>(after_.Int(2)),
                    static_cast<DWORD>(after_.Int(3)), static_cast<std::uint64_t>(after_.Int(4)),
                    static_cast<std::uint64_t>(after_.Int(5)),
                    static_cast<std::uint64_t>(after_.Int(6))}});
  }
  after_.Reset();
  return entries;
}

std::optional<std::int64_t> UrlCacheStore::Remove(std::string_view url) {
  if (Connection(false) == nullptr) return std::nullopt;
  remove_.Reset();
  remove_.Bind(1, url);
  std::optional<std::int64_t> removed;
  if (remove_.Step() == SQLITE_ROW) {
    removed = remove_.Int(0);
    if (remove_.Step() != SQLITE_DONE) removed.reset();
  }
  remove_.Reset();
  return removed;
}

bool UrlCacheStore::Put(const CacheEntry& entry) {
  if (Connection(true) == nullptr) return false;
  put_.Reset();
  put_.Bind(1, std::string_view(entry.url));
  put_.Bind(2, static_cast<std::int64_t>(entry.type));
  put_.Bind(3, static_cast<std::int64_t>(entry.hits));
  put_.Bind(4, static_cast<std::int64_t>(entry.modified));
  put_.Bind(5, static_cast<std::int64_t>(entry.expires));
  put_.Bind(6, static_cast<std::int64_t>(entry.accessed));
  const bool stored = put_.Step() == SQLITE_DONE;
  put_.Reset();
  if (stored) ++ownWrites_;
  return stored;
}

bool UrlCacheStore::PutAll(const std::vector<CacheEntry>& entries) {
  Database* db = Connection(true);
  if (db == nullptr) return false;
  Transaction transaction(*db);
  if (!transaction.Began()) return false;
  for (const CacheEntry& entry : entries) {
    if (!Put(entry)) return false;
  }
  return transaction.Commit();
}

std::vector<CacheEntry> UrlCacheStore::All() {
  std::vector<CacheEntry> entries;
  for (auto next = After(0); next; next = After(next->id)) entries.push_back(next->entry);
  return entries;
}

}  // namespace standin
