#pragma once
// The persistent registry of the current user: keys, subkeys and typed values in one SQLite
// file, shared safely by several processes. Key and value names are compared without regard
// to ASCII letter case; values and subkeys enumerate in the order they were first created.

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

struct RegistryValue {
  std::string name;  // "" is the key's default value
  DWORD type = 0;
  std::string data;  // the value's bytes as stored

  bool operator==(const RegistryValue&) const = default;
};

class RegistryStore final : public GroupableStore {
 public:
  using KeyId = std::int64_t;  // 0 is the root: the current user's hive itself

  explicit RegistryStore(std::filesystem::path file);
  // Commits writes still held.
  ~RegistryStore() override;
  RegistryStore(const RegistryStore&) = delete;
  RegistryStore& operator=(const RegistryStore&) = delete;

  // $XDG_DATA_HOME/veltrin-standin/registry.db
  static std::filesystem::path DefaultFile();

  // The key at a path of names separated by single backslashes, under the root; nothing when
  // it is missing, when the path is malformed, or when the store is missing or damaged.
  std::optional<KeyId> FindKey(std::string_view path);
  // The same, creating every missing key on the way; creates the store when it is missing.
  std::optional<KeyId> CreateKey(std::string_view path);
  // Deletes a key with all its subkeys and values.
  bool DeleteKey(KeyId key);

  std::vector<std::string> SubKeys(KeyId key);
  std::vector<RegistryValue> Values(KeyId key);
  std::optional<RegistryValue> Value(KeyId key, std::string_view name);
  // Adds a value, or replaces the type and data of the one with that name in its place.
  bool SetValue(KeyId key, const RegistryValue& value);
  bool DeleteValue(KeyId key, std::string_view name);
  // Holds the writes that follow in one transaction until CommitWrites(), so that a single
  // write costs no commit of its own. Readers elsewhere see them once they are committed.
  bool BeginWrites() override;
  void CommitWrites() override;
  bool Writing() const override { return writes_.Open(); }
  bool LockTimedOut() const override { return db_ != nullptr && db_->LastError() == SQLITE_BUSY; }

 private:
  Database* Connection(bool create);
  std::optional<KeyId> Walk(std::string_view path, bool create);

  std::filesystem::path file_;
  std::unique_ptr<Database> db_;
  Statement deleteValue_;
  WriteGroup writes_;
};

}  // namespace standin
