#include "platform/linux/WindowDirectory.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace standin {
namespace {

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS windows("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " pid INTEGER NOT NULL,"
    " started INTEGER NOT NULL,"
    " class TEXT NOT NULL COLLATE NOCASE,"
    " title TEXT NOT NULL COLLATE NOCASE,"
    " parent INTEGER NOT NULL,"
    " control INTEGER NOT NULL)";

std::int64_t IdOf(HWND window) {
  return static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(window));
}

HWND HandleOf(std::int64_t id) {
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(id));
}

// The owner of the rows whose number is no process id, as only a forged row holds: it never
// runs, and its windows are never found.
constexpr ProcessIdentity kNoProcess{0, 0};

ProcessIdentity OwnerIn(const Statement& row, int column) {
  const std::int64_t pid = row.Int(column);
  // Cut to a pid_t, such a number could name this very process.
  if (pid <= 0 || pid > std::numeric_limits<pid_t>::max()) return kNoProcess;
  return {static_cast<pid_t>(pid), static_cast<std::uint64_t>(row.Int(column + 1))};
}

}  // namespace

WindowDirectory::WindowDirectory(std::filesystem::path folder)
    : folder_(std::move(folder)), self_(CurrentProcess()) {}

WindowDirectory::~WindowDirectory() = default;

WindowDirectory::Batch::Batch(WindowDirectory* directory) {
  Database* db = directory == nullptr ? nullptr : directory->Connection();
  if (db != nullptr && db->Exec("BEGIN IMMEDIATE")) db_ = db;
}

WindowDirectory::Batch::~Batch() {
  if (db_ != nullptr) db_->Exec("COMMIT");
}

Database* WindowDirectory::Connection() {
  if (db_ != nullptr) return db_.get();
  auto db = Database::Connect(folder_ / "windows.db", Database::Open::CreateIfMissing);
  if (db == nullptr) return nullptr;
  // Two programs starting together may both find the file new; the transaction lets one in
  // at a time.
  {
    Transaction schema(*db);
    if (!schema.Began() || !db->Exec(kSchema) || !schema.Commit()) return nullptr;
  }
  db->Exec("PRAGMA journal_mode=WAL");
  db->Exec("PRAGMA synchronous=NORMAL");
  db_ = std::move(db);
  return db_.get();
}

HWND WindowDirectory::Add(std::string_view className, std::string_view title, HWND parent,
                          int controlId) {
  Database* db = Connection();
  if (db == nullptr) return nullptr;
  Statement add = db->Prepare(
      "INSERT INTO windows(pid, started, class, title, parent, control)"
      " VALUES(?1, ?2, ?3, ?4, ?5, ?6) RETURNING id");
  if (!add.Valid()) return nullptr;
  add.Bind(1, self_.pid);
  add.Bind(2, static_cast<std::int64_t>(self_.startTime));
  add.BindText(3, className);
  add.BindText(4, title);
  add.Bind(5, IdOf(parent));
  add.Bind(6, controlId);
  return add.Step() == SQLITE_ROW ? HandleOf(add.Int(0)) : nullptr;
}

void WindowDirectory::Remove(HWND window) {
  Database* db = Connection();
  if (db == nullptr) return;
  Statement remove = db->Prepare("DELETE FROM windows WHERE id = ?1 AND pid = ?2");
  if (!remove.Valid()) return;
  remove.Bind(1, IdOf(window));
  remove.Bind(2, self_.pid);
  remove.Step();
}

void WindowDirectory::SetTitle(HWND window, std::string_view title) {
  Database* db = Connection();
  if (db == nullptr) return;
  Statement retitle = db->Prepare("UPDATE windows SET title = ?2 WHERE id = ?1 AND pid = ?3");
  if (!retitle.Valid()) return;
  retitle.Bind(1, IdOf(window));
  retitle.BindText(2, title);
  retitle.Bind(3, self_.pid);
  retitle.Step();
}

HWND WindowDirectory::Find(HWND parent, HWND after, LPCSTR className, LPCSTR title) {
  Database* db = Connection();
  if (db == nullptr) return nullptr;
  Statement find = db->Prepare(
      "SELECT id, pid, started FROM windows WHERE parent = ?1 AND id > ?2"
      " AND (?3 IS NULL OR class = ?3) AND (?4 IS NULL OR title = ?4) ORDER BY id");
  if (!find.Valid()) return nullptr;
  find.Bind(1, IdOf(parent));
  find.Bind(2, IdOf(after));
  if (className != nullptr) find.BindText(3, className);
  if (title != nullptr) find.BindText(4, title);
  HWND found = nullptr;
  std::vector<ProcessIdentity> ended;
  while (found == nullptr && find.Step() == SQLITE_ROW) {
    const ProcessIdentity owner = OwnerIn(find, 1);
    if (owner == self_ || IsRunning(owner)) {
      found = HandleOf(find.Int(0));
    } else {
      ended.push_back(owner);
    }
  }
  find.Reset();
  for (const ProcessIdentity& owner : ended) DropWindowsOf(owner);
  return found;
}

std::optional<WindowRecord> WindowDirectory::Get(HWND window) {
  Database* db = Connection();
  if (db == nullptr || window == nullptr) return std::nullopt;
  Statement get =
      db->Prepare("SELECT pid, started, class, title, parent, control FROM windows WHERE id = ?1");
  if (!get.Valid()) return std::nullopt;
  get.Bind(1, IdOf(window));
  if (get.Step() != SQLITE_ROW) return std::nullopt;
  WindowRecord record{window,
                      OwnerIn(get, 0),
                      std::string(get.Bytes(2)),
                      std::string(get.Bytes(3)),
                      HandleOf(get.Int(4)),
                      static_cast<int>(get.Int(5))};
  get.Reset();
  if (record.owner != self_ && !IsRunning(record.owner)) {
    DropWindowsOf(record.owner);
    return std::nullopt;
  }
  return record;
}

void WindowDirectory::DropWindowsOf(const ProcessIdentity& owner) {
  if (owner == kNoProcess) {
    Statement drop = db_->Prepare("DELETE FROM windows WHERE pid NOT BETWEEN 1 AND ?1");
    if (!drop.Valid()) return;
    drop.Bind(1, std::int64_t{std::numeric_limits<pid_t>::max()});
    drop.Step();
    return;
  }
  Statement drop = db_->Prepare("DELETE FROM windows WHERE pid = ?1 AND started = ?2");
  if (!drop.Valid()) return;
  drop.Bind(1, owner.pid);
  drop.Bind(2, static_cast<std::int64_t>(owner.startTime));
  drop.Step();
}

}  // namespace standin
