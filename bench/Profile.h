#pragma once
// A temporary profile for the whole benchmark run: its own XDG data and runtime folders,
// with stores seeded on demand.

#include <filesystem>

namespace bench {

class Profile {
 public:
  Profile();
  ~Profile();
  Profile(const Profile&) = delete;
  Profile& operator=(const Profile&) = delete;

  // A URL cache of `entries` entries, every `cookieEvery`-th of them (from the first) a
  // cookie, replacing what the store held.
  static void SeedCache(int entries, int cookieEvery);

 private:
  std::filesystem::path root_;
};

}  // namespace bench
