#include "tools/RegistryCommands.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>

#include "platform/Registry.h"
#include "platform/linux/RegistryStore.h"
#include "tools/RegeditText.h"

namespace standin {
namespace {

int Fail(const std::string& message) {
  std::fprintf(stderr, "standin: %s\n", message.c_str());
  return 2;
}

std::string Shown(const std::string& path) {
  return "HKEY_CURRENT_USER" + (path.empty() ? "" : "\\" + path);
}

std::optional<std::uint64_t> Number(const std::string& text, std::uint64_t max) {
  char* end = nullptr;
  errno = 0;
  const unsigned long long value = std::strtoull(text.c_str(), &end, 0);
  if (errno != 0 || end == text.c_str() || *end != '\0' || text[0] == '-' || value > max) {
    return std::nullopt;
  }
  return value;
}

std::string LittleEndian(std::uint64_t value, int bytes) {
  std::string data;
  for (int i = 0; i < bytes; ++i) data += static_cast<char>((value >> (8 * i)) & 0xFF);
  return data;
}

// The data of a value given as TYPE DATA on the command line.
std::optional<RegistryValue> ValueArgument(const std::string& name, const std::string& type,
                                           const std::string& data) {
  if (type == "REG_SZ" || type == "REG_EXPAND_SZ") {
    if (data.find('\0') != std::string::npos) return std::nullopt;
    return RegistryValue{name, type == "REG_SZ" ? REG_SZ : REG_EXPAND_SZ, data + '\0'};
  }
  if (type == "REG_DWORD" || type == "REG_QWORD") {
    const bool dword = type == "REG_DWORD";
    const auto number = Number(data, dword ? 0xFFFFFFFFull : ~0ull);
    if (!number) return std::nullopt;
    return RegistryValue{name, dword ? REG_DWORD : REG_QWORD, LittleEndian(*number, dword ? 4 : 8)};
  }
  if (type == "REG_BINARY") {
    if (data.size() % 2 != 0) return std::nullopt;
    std::string bytes;
    for (std::size_t i = 0; i < data.size(); i += 2) {
      if (!std::isxdigit(static_cast<unsigned char>(data[i])) ||
          !std::isxdigit(static_cast<unsigned char>(data[i + 1]))) {
        return std::nullopt;
      }
      bytes += static_cast<char>(std::stoi(data.substr(i, 2), nullptr, 16));
    }
    return RegistryValue{name, REG_BINARY, bytes};
  }
  return std::nullopt;
}

std::optional<std::string> ReadAll(const std::string& file) {
  if (file == "-") return std::string(std::istreambuf_iterator<char>(std::cin), {});
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

int List(RegistryStore& store, const std::string& path) {
  const auto key = store.FindKey(path);
  if (!key) return Fail("no key named " + Shown(path));
  for (const std::string& child : store.SubKeys(*key)) std::printf("%s\\\n", child.c_str());
  for (const RegistryValue& value : store.Values(*key)) {
    std::printf("%s\n", FormatValue(value).c_str());
  }
  return 0;
}

int Add(RegistryStore& store, const std::string& path, const std::vector<std::string>& rest) {
  std::optional<RegistryValue> value;
  if (rest.size() == 3) {
    value = ValueArgument(rest[0], rest[1], rest[2]);
    if (!value) return Fail("not a value of type " + rest[1] + ": " + rest[2]);
  } else if (!rest.empty()) {
    return Fail("reg add needs KEY, or KEY NAME TYPE DATA");
  }
  const auto key = store.CreateKey(path);
  if (!key) return Fail("cannot write the registry " + RegistryStore::DefaultFile().string());
  if (value && !store.SetValue(*key, *value)) return Fail("cannot write the value " + rest[0]);
  return 0;
}

int Delete(RegistryStore& store, const std::string& path, const std::vector<std::string>& rest) {
  if (rest.size() > 1) return Fail("reg delete needs KEY, or KEY NAME");
  const auto key = store.FindKey(path);
  if (!key) return Fail("no key named " + Shown(path));
  if (rest.empty()) {
    if (path.empty()) return Fail("HKEY_CURRENT_USER cannot be deleted");
    return store.DeleteKey(*key) ? 0 : Fail("cannot delete the key " + Shown(path));
  }
  return store.DeleteValue(*key, rest[0])
             ? 0
             : Fail("no value named " + rest[0] + " in " + Shown(path));
}

int Export(RegistryStore& store, const std::string& path) {
  const auto key = path.empty() ? std::optional<RegistryStore::KeyId>(0) : store.FindKey(path);
  if (!key) return Fail("no key named " + Shown(path));
  std::fputs(FormatRegedit(store, *key, path).c_str(), stdout);
  return 0;
}

int Import(RegistryStore& store, const std::string& file) {
  const auto text = ReadAll(file);
  if (!text) return Fail("cannot read " + file);
  const RegeditParse parse = ParseRegedit(*text);
  if (parse.error) return Fail(file + ", " + *parse.error);
  return ApplyChanges(store, parse.changes) ? 0 : Fail("cannot write the registry");
}

}  // namespace

int RunRegistryCommand(const std::vector<std::string>& args) {
  RegistryStore store(RegistryStore::DefaultFile());
  if (args.empty()) return Fail("reg needs a command: list, add, delete, export or import");
  const std::string& command = args[0];
  if (command == "import") {
    if (args.size() != 2) return Fail("reg import needs one FILE, or - for the standard input");
    return Import(store, args[1]);
  }
  if (command == "export" && args.size() == 1) return Export(store, "");
  if (args.size() < 2) return Fail("reg " + command + " needs a KEY");
  const auto path = KeyArgument(args[1]);
  if (!path) return Fail("not a key path: " + args[1]);
  const std::vector<std::string> rest(args.begin() + 2, args.end());
  if (command == "list" && rest.empty()) return List(store, *path);
  if (command == "add") return Add(store, *path, rest);
  if (command == "delete") return Delete(store, *path, rest);
  if (command == "export" && rest.empty()) return Export(store, *path);
  return Fail("unknown reg command: " + command);
}

}  // namespace standin
