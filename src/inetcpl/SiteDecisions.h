#pragma once
// The user's per-site cookie decisions, kept in the stand-in registry so that they outlive
// the program: one value per site, in the order the sites were first decided.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/RegistryStore.h"

namespace inetcpl {

enum class Decision { Block = 1, Allow = 2 };

struct SiteDecision {
  std::string site;
  Decision decision;

  bool operator==(const SiteDecision&) const = default;
};

class SiteDecisions {
 public:
  explicit SiteDecisions(standin::RegistryStore& store);

  // Every decision; values that are not a decision of ours are skipped.
  std::vector<SiteDecision> All();
  // Decides a site anew, in its place when it was decided before.
  bool Set(std::string_view site, Decision decision);
  bool Remove(std::string_view site);
  bool RemoveAll();

  // The site of an address as a user types or pastes it ("https://www.example.com:8080/a"
  // gives "www.example.com"), in lower case; nothing when it is no host name.
  static std::optional<std::string> SiteOf(std::string_view address);

 private:
  standin::RegistryStore& store_;
};

}  // namespace inetcpl
