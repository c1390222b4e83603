#include "tools/DemoProfile.h"

#include <string>

#include "platform/UrlCache.h"
#include "tools/FileTimes.h"

namespace standin {
namespace {

// A fixed sequence, so every demo profile is the same.
class Sequence {
 public:
  unsigned Next(unsigned bound) {
    state_ = state_ * 1103515245u + 12345u;
    return (state_ >> 8) % bound;
  }

 private:
  unsigned state_ = 20261211u;
};

CacheEntry Cookie(std::string url, DWORD hits, std::uint64_t modified, std::uint64_t expires) {
  return {std::move(url), COOKIE_CACHE_ENTRY | NORMAL_CACHE_ENTRY, hits, modified, expires,
          modified};
}

}  // namespace

std::vector<CacheEntry> DemoCacheEntries() {
  const char* const sites[] = {
      "news.example.com/",    "shop.example.net/",    "mail.example.org/",
      "maps.example.com/",    "video.example.tv/",    "forum.example.org/board/",
      "weather.example.com/", "bank.example.net/",    "travel.example.com/",
      "books.example.org/",   "music.example.fm/",    "photos.example.net/",
      "search.example.com/",  "wiki.example.org/",    "games.example.com/",
      "cars.example.net/",    "recipes.example.com/", "sports.example.tv/",
      "jobs.example.org/",    "movies.example.com/",  "ads.tracker.example/",
      "cdn.example.net/",     "login.example.com/",   "docs.example.org/",
      "Shop.Example.net/",    "radio.example.fm/",    "garden.example.com/",
      "tickets.example.net/", "health.example.org/",  "kids.example.com/",
  };
  const char* const users[] = {"jane", "john", "guest"};
  Sequence random;
  std::vector<CacheEntry> entries;
  int page = 0;
  for (const char* site : sites) {
    const std::uint64_t modified =
        FileTimeOf(2024 + static_cast<int>(random.Next(3)), 1 + random.Next(12),
                   1 + random.Next(28), static_cast<int>(random.Next(24)),
                   static_cast<int>(random.Next(60)), static_cast<int>(random.Next(60)));
    const std::uint64_t expires =
        FileTimeOf(2027 + static_cast<int>(random.Next(8)), 1 + random.Next(12),
                   1 + random.Next(28), static_cast<int>(random.Next(24)), 0, 0);
    const DWORD hits = random.Next(5) == 0 ? random.Next(1000) : random.Next(40);
    entries.push_back(Cookie(std::string("Cookie:") + users[random.Next(3)] + "@" + site, hits,
                             modified, expires));
    // Cached pages and visited addresses sit between the cookies; the list leaves them out.
    if (++page % 4 == 0) {
      entries.push_back({std::string("https://") + site + "index.html", NORMAL_CACHE_ENTRY,
                         random.Next(20), modified, expires, modified});
      entries.push_back({std::string("Visited: jane@https://") + site, URLHISTORY_CACHE_ENTRY,
                         random.Next(20), modified, 0, modified});
    }
  }
  // The awkward ones.
  entries.push_back(
      Cookie("Cookie:jane@session.example.com/", 3, FileTimeOf(2026, 11, 30, 8, 15, 4), 0));
  entries.push_back(Cookie("cookie-without-a-user.example.com/", 1,
                           FileTimeOf(2025, 6, 1, 12, 0, 0), FileTimeOf(2030, 1, 1)));
  entries.push_back(Cookie("Cookie:jane@mirror@two-at-signs.example.org/", 7,
                           FileTimeOf(2026, 2, 14, 23, 59, 58), FileTimeOf(2028, 2, 14)));
  entries.push_back(Cookie("Cookie:john@very-long.example.com/" + std::string(300, 'p') + "/", 2,
                           FileTimeOf(2026, 7, 4, 9, 30, 0), FileTimeOf(2029, 7, 4, 9, 30, 0)));
  entries.push_back(Cookie("Cookie:guest@midnight.example.net//", 4294967295u,
                           FileTimeOf(2026, 1, 1), FileTimeOf(2031, 12, 31)));
  entries.push_back(
      Cookie("Cookie:guest@", 0, FileTimeOf(2025, 12, 24, 18, 0, 0), FileTimeOf(2026, 12, 24)));
  return entries;
}

}  // namespace standin
