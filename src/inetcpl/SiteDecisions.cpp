#include "inetcpl/SiteDecisions.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace inetcpl {
namespace {

constexpr const char* kKey = "Software\\Stand-in\\Internet Options\\Per Site Privacy";
constexpr DWORD kRegDword = 4;
constexpr std::size_t kMaxHostLength = 253;
constexpr std::size_t kMaxLabelLength = 63;

std::string DwordData(DWORD value) {
  std::string data(sizeof(value), '\0');
  std::memcpy(data.data(), &value, sizeof(value));
  return data;
}

std::optional<Decision> DecisionOf(const standin::RegistryValue& value) {
  DWORD data = 0;
  if (value.type != kRegDword || value.data.size() != sizeof(data)) return std::nullopt;
  std::memcpy(&data, value.data.data(), sizeof(data));
  if (data != static_cast<DWORD>(Decision::Block) && data != static_cast<DWORD>(Decision::Allow)) {
    return std::nullopt;
  }
  return static_cast<Decision>(data);
}

bool IsLabel(std::string_view label) {
  return !label.empty() && label.size() <= kMaxLabelLength && label.front() != '-' &&
         label.back() != '-' && std::all_of(label.begin(), label.end(), [](char c) {
           return std::isalnum(static_cast<unsigned char>(c)) || c == '-';
         });
}

}  // namespace

SiteDecisions::SiteDecisions(standin::RegistryStore& store) : store_(store) {}

std::vector<SiteDecision> SiteDecisions::All() {
  std::vector<SiteDecision> decisions;
  const auto key = store_.FindKey(kKey);
  if (!key) return decisions;
  for (const standin::RegistryValue& value : store_.Values(*key)) {
    if (const auto decision = DecisionOf(value); decision && SiteOf(value.name) == value.name) {
      decisions.push_back({value.name, *decision});
    }
  }
  return decisions;
}

bool SiteDecisions::Set(std::string_view site, Decision decision) {
  const auto key = store_.CreateKey(kKey);
  return key && store_.SetValue(
                    *key, {std::string(site), kRegDword, DwordData(static_cast<DWORD>(decision))});
}

bool SiteDecisions::Remove(std::string_view site) {
  const auto key = store_.FindKey(kKey);
  return key && store_.DeleteValue(*key, site);
}

bool SiteDecisions::RemoveAll() {
  const auto key = store_.FindKey(kKey);
  return !key || store_.DeleteKey(*key);
}

std::optional<std::string> SiteDecisions::SiteOf(std::string_view address) {
  std::string host(address);
  const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
  host.erase(host.begin(), std::find_if_not(host.begin(), host.end(), blank));
  host.erase(std::find_if_not(host.rbegin(), host.rend(), blank).base(), host.end());
  if (const std::size_t scheme = host.find("://"); scheme != std::string::npos) {
    host.erase(0, scheme + 3);
  }
  host.resize(std::min(host.size(), host.find_first_of("/?#")));
  if (const std::size_t user = host.rfind('@'); user != std::string::npos) host.erase(0, user + 1);
  if (const std::size_t port = host.find(':'); port != std::string::npos) host.resize(port);
  // A cookie's domain may start with a dot, and a full host name may end with one.
  while (!host.empty() && host.front() == '.') host.erase(0, 1);
  if (!host.empty() && host.back() == '.') host.pop_back();
  std::transform(host.begin(), host.end(), host.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (host.empty() || host.size() > kMaxHostLength) return std::nullopt;
  std::size_t start = 0;
  while (true) {
    const std::size_t dot = host.find('.', start);
    if (!IsLabel(std::string_view(host).substr(start, dot - start))) return std::nullopt;
    if (dot == std::string::npos) return host;
    start = dot + 1;
  }
}

}  // namespace inetcpl
