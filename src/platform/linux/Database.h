#pragma once
// A thin RAII layer over one SQLite connection and its prepared statements.

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>

namespace standin {

class Statement {
 public:
  Statement() = default;
  explicit Statement(sqlite3_stmt* stmt) : stmt_(stmt) {}
  Statement(Statement&& other) noexcept;
  Statement& operator=(Statement&& other) noexcept;
  ~Statement();

  bool Valid() const { return stmt_ != nullptr; }
  // Clears earlier results and bindings so the statement can run again.
  void Reset();
  void Bind(int index, std::int64_t value);
  // Binds bytes as a BLOB, compared byte for byte.
  void Bind(int index, std::string_view bytes);
  // Binds bytes as TEXT, for columns compared with a text collation.
  void BindText(int index, std::string_view text);
  // SQLITE_ROW, SQLITE_DONE, or an error code.
  int Step();
  std::int64_t Int(int column) const;
  std::string_view Bytes(int column) const;

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

class Database {
 public:
  enum class Open { ExistingOnly, CreateIfMissing };

  // The connection, or null when the file cannot be opened (or is missing with ExistingOnly).
  static std::unique_ptr<Database> Connect(const std::filesystem::path& file, Open mode);
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  bool Exec(const char* sql);
  // An invalid statement when the SQL cannot be prepared, for one on a damaged file.
  Statement Prepare(const char* sql);
  // A new, empty file: one that may be given a schema without overwriting anything.
  bool HasNoTables();
  // Rows changed by the last INSERT, UPDATE or DELETE.
  int Changes() const;
  // The result code of the last call that failed, such as SQLITE_BUSY.
  int LastError() const;
  // Whether the file is read as it stands, read-only, because it could not be opened for
  // writing the ordinary way.
  bool AsItStands() const { return asItStands_; }

 private:
  Database(sqlite3* db, bool asItStands) : db_(db), asItStands_(asItStands) {}
  sqlite3* db_;
  bool asItStands_;
};

// Runs a set of writes as one transaction; rolls back unless Commit() was called.
class Transaction {
 public:
  explicit Transaction(Database& db);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  bool Began() const { return began_; }
  bool Commit();

 private:
  Database& db_;
  bool began_;
  bool done_ = false;
};

// Writes held in one transaction until Commit(), so that a single write costs no commit of its
// own. Readers elsewhere see them once they are committed; a group still open commits when it
// goes.
class WriteGroup {
 public:
  ~WriteGroup() { Commit(); }
  // Opens the group on `db`, unless it is open already; false when it cannot be opened.
  bool Begin(Database* db);
  void Commit();
  bool Open() const { return transaction_ != nullptr; }

 private:
  std::unique_ptr<Transaction> transaction_;
};

// A store whose writes can be held in one transaction until they are committed.
class GroupableStore {
 public:
  virtual ~GroupableStore() = default;
  virtual bool BeginWrites() = 0;
  virtual void CommitWrites() = 0;
  virtual bool Writing() const = 0;
  // Whether the last write failed because another connection kept the store locked for the
  // whole lock timeout.
  virtual bool LockTimedOut() const = 0;
};

}  // namespace standin
