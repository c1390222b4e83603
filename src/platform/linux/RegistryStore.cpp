#include "platform/linux/RegistryStore.h"

#include <system_error>

#include "platform/linux/DataDirectory.h"

namespace standin {
namespace {

constexpr const char* kSchema =
    "CREATE TABLE keys("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " parent INTEGER NOT NULL,"
    " name TEXT NOT NULL COLLATE NOCASE,"
    " UNIQUE(parent, name));"
    "CREATE TABLE key_values("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " key INTEGER NOT NULL,"
    " name TEXT NOT NULL COLLATE NOCASE,"
    " type INTEGER NOT NULL,"
    " data BLOB NOT NULL,"
    " UNIQUE(key, name));";

// The names of a path; nothing when a name is empty (a leading, trailing or double backslash).
std::optional<std::vector<std::string_view>> Names(std::string_view path) {
  std::vector<std::string_view> names;
  if (path.empty()) return names;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = path.find('\\', start);
    const std::string_view name = path.substr(start, end - start);
    if (name.empty()) return std::nullopt;
    names.push_back(name);
    if (end == std::string_view::npos) return names;
    start = end + 1;
  }
}

}  // namespace

RegistryStore::RegistryStore(std::filesystem::path file) : file_(std::move(file)) {}

RegistryStore::~RegistryStore() = default;

bool RegistryStore::BeginWrites() {
  return writes_.Begin(Connection(false));
}

void RegistryStore::CommitWrites() {
  writes_.Commit();
}

std::filesystem::path RegistryStore::DefaultFile() {
  return DataDirectory() / "registry.db";
}

Database* RegistryStore::Connection(bool create) {
  if (db_ != nullptr) return db_.get();
  std::error_code ignored;
  if (!create && !std::filesystem::exists(file_, ignored)) return nullptr;
  auto db = Database::Connect(
      file_, create ? Database::Open::CreateIfMissing : Database::Open::ExistingOnly);
  // One that can only be read as it stands would be kept for good, and every clean-up would
  // fail even once the disk or folder allows writing again; try afresh on the next call.
  if (db == nullptr || db->AsItStands()) return nullptr;
  // Only a new, empty file gets the schema: anything else that lacks it is not ours to change.
  if (create && db->HasNoTables()) {
    // The journal mode cannot change inside a transaction: set it first.
    if (!db->Exec("PRAGMA journal_mode=WAL")) return nullptr;
    Transaction schema(*db);
    if (!db->Exec(kSchema) || !schema.Commit()) return nullptr;
  }
  db->Exec("PRAGMA synchronous=NORMAL");
  // A file that is damaged or not a registry fails here; try afresh on the next call.
  if (!db->Prepare("SELECT id FROM keys LIMIT 0").Valid() ||
      !db->Prepare("SELECT id FROM key_values LIMIT 0").Valid()) {
    return nullptr;
  }
  db_ = std::move(db);
  return db_.get();
}

std::optional<RegistryStore::KeyId> RegistryStore::Walk(std::string_view path, bool create) {
  const auto names = Names(path);
  if (!names) return std::nullopt;
  Database* db = Connection(create);
  if (db == nullptr) return std::nullopt;
  Statement find = db->Prepare("SELECT id FROM keys WHERE parent = ?1 AND name = ?2");
  Statement add = db->Prepare("INSERT INTO keys(parent, name) VALUES(?1, ?2)");
  Statement last = db->Prepare("SELECT last_insert_rowid()");
  if (!find.Valid() || !add.Valid() || !last.Valid()) return std::nullopt;
  KeyId key = 0;
  for (const std::string_view name : *names) {
    find.Reset();
    find.Bind(1, key);
    find.BindText(2, name);
    if (find.Step() == SQLITE_ROW) {
      key = find.Int(0);
      continue;
    }
    if (!create) return std::nullopt;
    add.Reset();
    add.Bind(1, key);
    add.BindText(2, name);
    if (add.Step() != SQLITE_DONE) return std::nullopt;
    last.Reset();
    if (last.Step() != SQLITE_ROW) return std::nullopt;
    key = last.Int(0);
  }
  return key;
}

std::optional<RegistryStore::KeyId> RegistryStore::FindKey(std::string_view path) {
  return Walk(path, false);
}

std::optional<RegistryStore::KeyId> RegistryStore::CreateKey(std::string_view path) {
  return Walk(path, true);
}

bool RegistryStore::DeleteKey(KeyId key) {
  Database* db = Connection(false);
  if (db == nullptr || key == 0) return false;
  Transaction transaction(*db);
  if (!transaction.Began()) return false;
  Statement remove = db->Prepare(
      "WITH RECURSIVE tree(id) AS (SELECT ?1 UNION ALL"
      " SELECT keys.id FROM keys JOIN tree ON keys.parent = tree.id)"
      " DELETE FROM key_values WHERE key IN tree");
  Statement removeKeys = db->Prepare(
      "WITH RECURSIVE tree(id) AS (SELECT ?1 UNION ALL"
      " SELECT keys.id FROM keys JOIN tree ON keys.parent = tree.id)"
      " DELETE FROM keys WHERE id IN tree");
  if (!remove.Valid() || !removeKeys.Valid()) return false;
  remove.Bind(1, key);
  removeKeys.Bind(1, key);
  if (remove.Step() != SQLITE_DONE || removeKeys.Step() != SQLITE_DONE) return false;
  const bool removed = db->Changes() > 0;
  return transaction.Commit() && removed;
}

std::vector<std::string> RegistryStore::SubKeys(KeyId key) {
  std::vector<std::string> names;
  Database* db = Connection(false);
  if (db == nullptr) return names;
  Statement list = db->Prepare("SELECT name FROM keys WHERE parent = ?1 ORDER BY id");
  if (!list.Valid()) return names;
  list.Bind(1, key);
  while (list.Step() == SQLITE_ROW) names.emplace_back(list.Bytes(0));
  return names;
}

std::vector<RegistryValue> RegistryStore::Values(KeyId key) {
  std::vector<RegistryValue> values;
  Database* db = Connection(false);
  if (db == nullptr) return values;
  Statement list =
      db->Prepare("SELECT name, type, data FROM key_values WHERE key = ?1 ORDER BY id");
  if (!list.Valid()) return values;
  list.Bind(1, key);
  while (list.Step() == SQLITE_ROW) {
    values.push_back(
        {std::string(list.Bytes(0)), static_cast<DWORD>(list.Int(1)), std::string(list.Bytes(2))});
  }
  return values;
}

std::optional<RegistryValue> RegistryStore::Value(KeyId key, std::string_view name) {
  Database* db = Connection(false);
  if (db == nullptr) return std::nullopt;
  Statement find =
      db->Prepare("SELECT name, type, data FROM key_values WHERE key = ?1 AND name = ?2");
  if (!find.Valid()) return std::nullopt;
  find.Bind(1, key);
  find.BindText(2, name);
  if (find.Step() != SQLITE_ROW) return std::nullopt;
  return RegistryValue{std::string(find.Bytes(0)), static_cast<DWORD>(find.Int(1)),
                       std::string(find.Bytes(2))};
}

bool RegistryStore::SetValue(KeyId key, const RegistryValue& value) {
  Database* db = Connection(false);
  if (db == nullptr) return false;
  Statement set = db->Prepare(
      "INSERT INTO key_values(key, name, type, data) VALUES(?1, ?2, ?3, ?4)"
      " ON CONFLICT(key, name) DO UPDATE SET type = excluded.type, data = excluded.data");
  if (!set.Valid()) return false;
  set.Bind(1, key);
  set.BindText(2, value.name);
  set.Bind(3, static_cast<std::int64_t>(value.type));
  set.Bind(4, std::string_view(value.data));
  return set.Step() == SQLITE_DONE;
}

bool RegistryStore::DeleteValue(KeyId key, std::string_view name) {
  Database* db = Connection(false);
  if (db == nullptr) return false;
  // Prepared once: clearing a key deletes its values one call at a time.
  if (!deleteValue_.Valid()) {
    deleteValue_ = db->Prepare("DELETE FROM key_values WHERE key = ?1 AND name = ?2");
    if (!deleteValue_.Valid()) return false;
  }
  deleteValue_.Reset();
  deleteValue_.Bind(1, key);
  deleteValue_.BindText(2, name);
  const bool deleted = deleteValue_.Step() == SQLITE_DONE && db->Changes() > 0;
  deleteValue_.Reset();
  return deleted;
}

}  // namespace standin
