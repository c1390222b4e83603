#include "platform/linux/Database.h"

#include <string>
#include <system_error>
#include <utility>

namespace standin {
namespace {

// The file's path as an SQLite URI, with the characters that end or escape a path encoded.
std::string UriOf(const std::filesystem::path& file, const char* parameters) {
  std::string uri = "file:";
  for (const char c : file.string()) {
    if (c == '%' || c == '?' || c == '#') {
      constexpr const char* kHex = "0123456789ABCDEF";
      uri += '%';
      uri += kHex[static_cast<unsigned char>(c) >> 4];
      uri += kHex[static_cast<unsigned char>(c) & 15];
    } else {
      uri += c;
    }
  }
  return uri + "?" + parameters;
}

sqlite3* OpenFile(const char* name, int flags) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(name, &db, flags, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    return nullptr;
  }
  return db;
}

}  // namespace

Statement::Statement(Statement&& other) noexcept : stmt_(std::exchange(other.stmt_, nullptr)) {}

Statement& Statement::operator=(Statement&& other) noexcept {
  if (this != &other) {
    sqlite3_finalize(stmt_);
    stmt_ = std::exchange(other.stmt_, nullptr);
  }
  return *this;
}

Statement::~Statement() {
  sqlite3_finalize(stmt_);
}

void Statement::Reset() {
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
}

void Statement::Bind(int index, std::int64_t value) {
  sqlite3_bind_int64(stmt_, index, value);
}

void Statement::Bind(int index, std::string_view bytes) {
  sqlite3_bind_blob64(stmt_, index, bytes.data(), bytes.size(), SQLITE_TRANSIENT);
}

void Statement::BindText(int index, std::string_view text) {
  sqlite3_bind_text64(stmt_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}

int Statement::Step() {
  return sqlite3_step(stmt_);
}

std::int64_t Statement::Int(int column) const {
  return sqlite3_column_int64(stmt_, column);
}

std::string_view Statement::Bytes(int column) const {
  const void* data = sqlite3_column_blob(stmt_, column);
  const int size = sqlite3_column_bytes(stmt_, column);
  if (data == nullptr) return {};
  return {static_cast<const char*>(data), static_cast<std::size_t>(size)};
}

std::unique_ptr<Database> Database::Connect(const std::filesystem::path& file, Open mode) {
  int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
  if (mode == Open::CreateIfMissing) {
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    flags |= SQLITE_OPEN_CREATE;
  }
  sqlite3* db = OpenFile(file.c_str(), flags);
  if (db == nullptr) return nullptr;
  // A store in WAL mode cannot be read the ordinary way when its shared-memory index is gone
  // and cannot be made again, in a folder we may not write or on a full disk: it is then
  // read as it stands, and never written.
  const int read =
      mode == Open::ExistingOnly
          ? sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr)
          : SQLITE_OK;
  const bool asItStands =
      read == SQLITE_READONLY || read == SQLITE_CANTOPEN || read == SQLITE_IOERR;
  if (asItStands) {
    sqlite3_close(db);
    db = OpenFile(UriOf(file, "immutable=1").c_str(),
                  SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_URI);
    if (db == nullptr) return nullptr;
  }
  // Another process may hold the write lock for a moment; wait for it rather than fail.
  sqlite3_busy_timeout(db, 5000);
  return std::unique_ptr<Database>(new Database(db, asItStands));
}

Database::~Database() {
  sqlite3_close(db_);
}

bool Database::Exec(const char* sql) {
  return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

Statement Database::Prepare(const char* sql) {
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr) != SQLITE_OK) {
    sqlite3_finalize(stmt);
    return Statement();
  }
  return Statement(stmt);
}

bool Database::HasNoTables() {
  Statement count = Prepare("SELECT count(*) FROM sqlite_master");
  return count.Valid() && count.Step() == SQLITE_ROW && count.Int(0) == 0;
}

int Database::Changes() const {
  return sqlite3_changes(db_);
}

int Database::LastError() const {
  return sqlite3_errcode(db_);
}

Transaction::Transaction(Database& db) : db_(db), began_(db.Exec("BEGIN IMMEDIATE")) {}

Transaction::~Transaction() {
  if (began_ && !done_) db_.Exec("ROLLBACK");
}

bool Transaction::Commit() {
  done_ = began_ && db_.Exec("COMMIT");
  return done_;
}

bool WriteGroup::Begin(Database* db) {
  if (transaction_ != nullptr) return true;
  if (db == nullptr) return false;
  auto transaction = std::make_unique<Transaction>(*db);
  if (!transaction->Began()) return false;
  transaction_ = std::move(transaction);
  return true;
}

void WriteGroup::Commit() {
  if (transaction_ == nullptr) return;
  transaction_->Commit();
  transaction_.reset();
}

}  // namespace standin
