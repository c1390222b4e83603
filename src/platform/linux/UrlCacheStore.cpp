#include "platform/linux/UrlCacheStore.h"

#include <system_error>
#include <utility>

#include "platform/linux/DataDirectory.h"

namespace standin {
namespace {

// AUTOINCREMENT: an id is never handed out twice, so a search that goes on after the last id it
// fetched, up to the newest id when it began, meets each entry once, deleted and re-added or not.
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
  Statement newest = db->Prepare("SELECT coalesce(max(id), 0) FROM entries");
  Statement after = db->Prepare(
      "SELECT id, url, type, hits, modified, expires, accessed FROM entries"
      " WHERE id > ?1 AND id <= ?2 ORDER BY id LIMIT ?3");

  Statement remove = db->Prepare("DELETE FROM entries WHERE url = ?1 RETURNING id");
  Statement put = db->Prepare(
      "INSERT INTO entries(url, type, hits, modified, expires, accessed)"
      " VALUES(?1, ?2, ?3, ?4, ?5, ?6) ON CONFLICT(url) DO UPDATE SET"
      " type = excluded.type, hits = excluded.hits, modified = excluded.modified,"
      " expires = excluded.expires, accessed = excluded.accessed");
  // A damaged file, or one that is not a cache, fails here; try afresh on the next call.
  if (!newest.Valid() || !after.Valid() || !remove.Valid() || !put.Valid()) return nullptr;
  db_ = std::move(db);
  newest_ = std::move(newest);
  after_ = std::move(after);
  remove_ = std::move(remove);
  put_ = std::move(put);
  return db_.get();
}

void UrlCacheStore::Disconnect() {
  newest_ = Statement();
  after_ = Statement();
  remove_ = Statement();
  put_ = Statement();
  db_.reset();
}

std::int64_t UrlCacheStore::BeginWalk() {
  // A store read as it stands is opened afresh for every walk, so that it is written again
  // once its folder or its disk allows.
  if (db_ != nullptr && db_->AsItStands() && !writes_.Open()) Disconnect();
  if (Connection(false) == nullptr) return 0;
  newest_.Reset();
  const std::int64_t newest = newest_.Step() == SQLITE_ROW ? newest_.Int(0) : 0;
  newest_.Reset();
  return newest;
}

std::vector<StoredEntry> UrlCacheStore::Batch(std::int64_t after, std::int64_t last, int limit) {
  std::vector<StoredEntry> entries;
  if (Connection(false) == nullptr) return entries;
  after_.Reset();
  after_.Bind(1, after);
  after_.Bind(2, last);
  after_.Bind(3, static_cast<std::int64_t>(limit));
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
  const std::int64_t last = BeginWalk();
  constexpr int kBatch = 1024;
  for (std::int64_t after = 0;;) {
    std::vector<StoredEntry> batch = Batch(after, last, kBatch);
    for (StoredEntry& stored : batch) entries.push_back(std::move(stored.entry));
    if (batch.size() < static_cast<std::size_t>(kBatch)) return entries;
    after = batch.back().id;
  }
}

}  // namespace standin
