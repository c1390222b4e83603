#pragma once
// The REGEDIT4 text format of registry keys and values: reading it into changes, and writing a
// key with its subkeys.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/RegistryStore.h"

namespace standin {

// One change a REGEDIT4 text asks for. Keys are paths under HKEY_CURRENT_USER, "" for itself.
struct RegistryChange {
  enum class Kind { AddKey, DeleteKey, SetValue, DeleteValue };
  Kind kind;
  std::string key;
  RegistryValue value;  // the value to set, or the name of the value to delete

  bool operator==(const RegistryChange&) const = default;
};

struct RegeditParse {
  std::vector<RegistryChange> changes;  // in the order of the text
  std::optional<std::string> error;     // "line N: what is wrong", and then no changes
};

// Reads a whole REGEDIT4 text; keys outside HKEY_CURRENT_USER are an error.
RegeditParse ParseRegedit(std::string_view text);

// The REGEDIT4 text of the key at `path` and every key below it, parents first, in store
// order; strings that a quoted form cannot carry are written as hex(1).
std::string FormatRegedit(RegistryStore& store, RegistryStore::KeyId key, const std::string& path);

// A key given as HKEY_CURRENT_USER\PATH, or as a path under it; nothing when malformed.
std::optional<std::string> KeyArgument(std::string_view name);

// A value as one line of a REGEDIT4 key section: "name"=data, or @=data for the default.
std::string FormatValue(const RegistryValue& value);

// Applies changes to the store; false at the first that fails.
bool ApplyChanges(RegistryStore& store, const std::vector<RegistryChange>& changes);

}  // namespace standin
