#pragma once
// The persistent URL cache of the current user: one SQLite file, shared safely by several
// processes. Entries keep the order in which they were first added.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/WinTypes.h"
#include "platform/linux/Database.h"

namespace standin {

struct CacheEntry {
  std::string url;  // bytes, not necessarily UTF-8
  DWORD type = 0;
  DWORD hits = 0;
  std::uint64_t modified = 0;  // FILETIME values, UTC
  std::uint64_t expires = 0;
  std::uint64_t accessed = 0;

  bool operator==(const CacheEntry&) const = default;
};

struct StoredEntry {
  std::int64_t id;
  CacheEntry entry;
};

class UrlCacheStore final : public GroupableStore {
 public:
  explicit UrlCacheStore(std::filesystem::path file);
  // Commits writes still held.
  ~UrlCacheStore() override;
  UrlCacheStore(const UrlCacheStore&) = delete;
  UrlCacheStore& operator=(const UrlCacheStore&) = delete;

  // $XDG_DATA_HOME/veltrin-standin/urlcache.db
  static std::filesystem::path DefaultFile();

  // Starts a walk: the id of the newest entry stored now, which is where the walk ends, so that
  // an entry added meanwhile (again, perhaps, after it was fetched) waits for the next walk.
  // 0 when there is none, and also when the store is missing, locked for too long or damaged.
  std::int64_t BeginWalk();
  // Up to `limit` entries stored after the one with `after` and up to the one with `last`, in
  // store order (0 for `after`: from the first entry).
  std::vector<StoredEntry> Batch(std::int64_t after, std::int64_t last, int limit);
  // How many entries this object has put so far.
  std::uint64_t Writes() const { return ownWrites_; }
  // Removes the entry with exactly this URL name: its id, or nothing when there was none or
  // it failed.
  std::optional<std::int64_t> Remove(std::string_view url);
  // Holds the writes that follow in one transaction until CommitWrites(), so that a single
  // write costs no commit of its own. Readers elsewhere see them once they are committed.
  bool BeginWrites() override;
  void CommitWrites() override;
  bool Writing() const override { return writes_.Open(); }
  bool LockTimedOut() const override { return db_ != nullptr && db_->LastError() == SQLITE_BUSY; }

  // Adds an entry, or replaces the fields of the one with the same URL name in its place.
  // Creates the store when it is missing; never writes into a file that is not one.
  bool Put(const CacheEntry& entry);
  // Puts many entries in one transaction: all of them, or none.
  bool PutAll(const std::vector<CacheEntry>& entries);
  // Every entry, in store order.
  std::vector<CacheEntry> All();

 private:
  Database* Connection(bool create);
  void Disconnect();

  std::filesystem::path file_;
  std::unique_ptr<Database> db_;
  Statement newest_;
  Statement after_;
  std::uint64_t ownWrites_ = 0;
  WriteGroup writes_;
  Statement remove_;
  Statement put_;
};

}  // namespace standin
