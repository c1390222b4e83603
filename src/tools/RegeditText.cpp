#include "tools/RegeditText.h"

#include <strings.h>

#include <cstdio>
#include <map>
#include <utility>

#include "platform/Registry.h"

namespace standin {
namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kRoot = "HKEY_CURRENT_USER";
constexpr std::size_t kWrapColumn = 76;

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  return text;
}

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

// The logical lines of a text with their first line numbers: a line ending in a backslash,
// other than a comment, goes on in the next.
std::vector<std::pair<int, std::string>> LogicalLines(std::string_view text) {
  std::vector<std::pair<int, std::string>> lines;
  int number = 0;
  bool continued = false;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = TrimRight(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++number;
    if (continued) {
      line = TrimLeft(line);
    } else {
      lines.emplace_back(number, "");
    }
    continued = !line.empty() && line.back() == '\\' && !lines.back().second.starts_with(";") &&
                !line.starts_with(";");
    if (continued) line.remove_suffix(1);
    lines.back().second += line;
  }
  return lines;
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::optional<unsigned long> Hex(std::string_view digits, std::size_t maxDigits) {
  if (digits.empty() || digits.size() > maxDigits) return std::nullopt;
  unsigned long value = 0;
  for (const char c : digits) {
    if (!IsHexDigit(c)) return std::nullopt;
    value = value * 16 + static_cast<unsigned long>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
  }
  return value;
}

// A quoted string with \\ and \" escapes at the start of `text`; the rest stays in `text`.
std::optional<std::string> Quoted(std::string_view& text) {
  if (text.empty() || text.front() != '"') return std::nullopt;
  std::string value;
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (text[i] == '"') {
      text.remove_prefix(i + 1);
      return value;
    }
    if (text[i] == '\\') {
      if (i + 1 >= text.size() || (text[i + 1] != '\\' && text[i + 1] != '"')) return std::nullopt;
      ++i;
    }
    value += text[i];
  }
  return std::nullopt;
}

std::optional<std::string> Bytes(std::string_view list) {
  std::string bytes;
  list = TrimLeft(list);
  if (list.empty()) return bytes;
  while (true) {
    const std::size_t comma = list.find(',');
    const auto byte = Hex(TrimRight(TrimLeft(list.substr(0, comma))), 2);
    if (!byte) return std::nullopt;
    bytes += static_cast<char>(*byte);
    if (comma == std::string_view::npos) return bytes;
    list.remove_prefix(comma + 1);
  }
}

// The data after "=": its type and bytes, or nothing when it is not one of the forms.
std::optional<std::pair<DWORD, std::string>> Data(std::string_view text) {
  if (const auto quoted = Quoted(text)) {
    if (!TrimLeft(text).empty()) return std::nullopt;
    return std::pair{REG_SZ, *quoted + '\0'};
  }
  if (text.starts_with("dword:")) {
    const auto value = Hex(text.substr(6), 8);
    if (!value) return std::nullopt;
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((*value >> (8 * i)) & 0xFF);
    return std::pair{REG_DWORD, bytes};
  }
  DWORD type = REG_BINARY;
  if (text.starts_with("hex(")) {
    const std::size_t close = text.find("):");
    const auto value =
        close == std::string_view::npos ? std::nullopt : Hex(text.substr(4, close - 4), 8);
    if (!value) return std::nullopt;
    type = static_cast<DWORD>(*value);
    text.remove_prefix(close + 2);
  } else if (text.starts_with("hex:")) {
    text.remove_prefix(4);
  } else {
    return std::nullopt;
  }
  const auto bytes = Bytes(text);
  if (!bytes) return std::nullopt;
  return std::pair{type, *bytes};
}

// The path under HKEY_CURRENT_USER of a key name; nothing for another root or a bad path.
std::optional<std::string> KeyPath(std::string_view name) {
  if (name.size() < kRoot.size() || strncasecmp(name.data(), kRoot.data(), kRoot.size()) != 0) {
    return std::nullopt;
  }
  name.remove_prefix(kRoot.size());
  if (name.empty()) return std::string();
  if (name.front() != '\\' || name.size() == 1 || name.back() == '\\' ||
      name.find("\\\\") != std::string_view::npos) {
    return std::nullopt;
  }
  return std::string(name.substr(1));
}

std::string Escaped(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    if (c == '\\' || c == '"') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

// Text a quoted form carries: one final NUL and no other control character.
bool IsPlainString(const std::string& data) {
  if (data.empty() || data.back() != '\0') return false;
  for (std::size_t i = 0; i + 1 < data.size(); ++i) {
    if (static_cast<unsigned char>(data[i]) < 0x20) return false;
  }
  return true;
}

std::string HexList(std::string line, const std::string& data) {
  std::string text;
  char byte[4];
  for (std::size_t i = 0; i < data.size(); ++i) {
    std::snprintf(byte, sizeof(byte), "%02x", static_cast<unsigned char>(data[i]));
    line += byte;
    if (i + 1 == data.size()) break;
    line += ',';
    if (line.size() > kWrapColumn) {
      text += line + "\\\n";
      line = "  ";
    }
  }
  return text + line;
}

}  // namespace

std::optional<std::string> KeyArgument(std::string_view name) {
  if (const auto path = KeyPath(name)) return path;
  if (name.empty() || name.front() == '\\' || name.back() == '\\' ||
      name.find("\\\\") != std::string_view::npos) {
    return std::nullopt;
  }
  return std::string(name);
}

std::string FormatValue(const RegistryValue& value) {
  const std::string name = value.name.empty() ? "@" : '"' + Escaped(value.name) + '"';
  if (value.type == REG_SZ && IsPlainString(value.data)) {
    return name + "=\"" + Escaped(std::string_view(value.data).substr(0, value.data.size() - 1)) +
           '"';
  }
  if (value.type == REG_DWORD && value.data.size() == 4) {
    unsigned long number = 0;
    for (int i = 3; i >= 0; --i) number = number * 256 + static_cast<unsigned char>(value.data[i]);
    char text[16];
    std::snprintf(text, sizeof(text), "%08lx", number);
    return name + "=dword:" + text;
  }
  char prefix[24];
  if (value.type == REG_BINARY) {
    std::snprintf(prefix, sizeof(prefix), "=hex:");
  } else {
    std::snprintf(prefix, sizeof(prefix), "=hex(%x):", value.type);
  }
  return HexList(name + prefix, value.data);
}

RegeditParse ParseRegedit(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  RegeditParse parse;
  const auto fail = [&parse](int line, const std::string& message) {
    parse.changes.clear();
    parse.error = "line " + std::to_string(line) + ": " + message;
    return parse;
  };
  bool headerSeen = false;
  std::optional<std::string> key;  // the section values go into; nothing before the first
  bool keyDeleted = false;
  for (const auto& [number, line] : LogicalLines(text)) {
    if (line.empty() || line.front() == ';') continue;
    if (!headerSeen) {
      if (line != kHeader) return fail(number, "the text must begin with REGEDIT4");
      headerSeen = true;
      continue;
    }
    if (line.front() == '[') {
      if (line.back() != ']') return fail(number, "a key name must end with ]");
      std::string_view name = std::string_view(line).substr(1, line.size() - 2);
      keyDeleted = name.starts_with("-");
      if (keyDeleted) name.remove_prefix(1);
      key = KeyPath(name);
      if (!key) return fail(number, "not a key of HKEY_CURRENT_USER: " + std::string(name));
      if (keyDeleted && key->empty()) return fail(number, "HKEY_CURRENT_USER cannot be deleted");
      parse.changes.push_back(
          {keyDeleted ? RegistryChange::Kind::DeleteKey : RegistryChange::Kind::AddKey, *key, {}});
      continue;
    }
    if (!key) return fail(number, "a value before the first key");
    if (keyDeleted) return fail(number, "a value under a key being deleted");
    std::string_view rest = line;
    std::string name;
    if (rest.front() == '@') {
      rest.remove_prefix(1);
    } else if (const auto quoted = Quoted(rest)) {
      name = *quoted;
    } else {
      return fail(number, "a value name must be @ or a quoted string");
    }
    rest = TrimLeft(rest);
    if (!rest.starts_with("=")) return fail(number, "= must follow the value name");
    rest = TrimLeft(rest.substr(1));
    if (rest == "-") {
      parse.changes.push_back({RegistryChange::Kind::DeleteValue, *key, {name, 0, ""}});
      continue;
    }
    const auto data = Data(rest);
    if (!data) return fail(number, "not a string, dword:, hex: or hex(N): value: " + line);
    parse.changes.push_back(
        {RegistryChange::Kind::SetValue, *key, {name, data->first, data->second}});
  }
  if (!headerSeen) return fail(1, "the text must begin with REGEDIT4");
  return parse;
}

std::string FormatRegedit(RegistryStore& store, RegistryStore::KeyId key, const std::string& path) {
  std::string text = std::string(kHeader) + "\n\n";
  // Depth first, parents before children, without recursion.
  std::vector<std::pair<RegistryStore::KeyId, std::string>> pending = {{key, path}};
  while (!pending.empty()) {
    const auto [id, name] = std::move(pending.back());
    pending.pop_back();
    text += '[' + std::string(kRoot) + (name.empty() ? "" : "\\" + name) + "]\n";
    for (const RegistryValue& value : store.Values(id)) text += FormatValue(value) + '\n';
    text += '\n';
    const std::vector<std::string> children = store.SubKeys(id);
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
      const std::string childPath = name.empty() ? *child : name + "\\" + *child;
      if (const auto childId = store.FindKey(childPath)) pending.emplace_back(*childId, childPath);
    }
  }
  return text;
}

bool ApplyChanges(RegistryStore& store, const std::vector<RegistryChange>& changes) {
  std::map<std::string, RegistryStore::KeyId> created;
  for (const RegistryChange& change : changes) {
    switch (change.kind) {
      case RegistryChange::Kind::DeleteKey: {
        created.clear();
        const auto existing = store.FindKey(change.key);
        if (existing && !store.DeleteKey(*existing)) return false;
        break;
      }
      case RegistryChange::Kind::AddKey:
      case RegistryChange::Kind::SetValue:
      case RegistryChange::Kind::DeleteValue: {
        auto id = created.find(change.key);
        if (id == created.end()) {
          const auto made = store.CreateKey(change.key);
          if (!made) return false;
          id = created.emplace(change.key, *made).first;
        }
        if (change.kind == RegistryChange::Kind::SetValue &&
            !store.SetValue(id->second, change.value)) {
          return false;
        }
        if (change.kind == RegistryChange::Kind::DeleteValue) {
          store.DeleteValue(id->second, change.value.name);
        }
        break;
      }
    }
  }
  return true;
}

}  // namespace standin
