// Cache entries no well-behaved program writes, through the real store and the real list: the
// rows show them by the listing's rules, the full address stays whole to the byte, deleting by
// it takes exactly that entry, and times at the edges read the same in several time zones.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "app/EndToEndFixture.h"
#include "platform/linux/UrlCacheStore.h"
#include "toolkit/FormatSettings.h"
#include "tools/FileTimes.h"

namespace {

using standin::CacheEntry;
using standin::FileTimeOf;
using ::testing::ElementsAre;

constexpr const char* kUnwritable = "01/01/80 12:00:00 AM";

// Sets TZ for the object's lifetime; the previous zone comes back afterwards.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* zone) {
    if (const char* previous = std::getenv("TZ")) previous_ = previous;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~ScopedTimeZone() {
    if (previous_) {
      setenv("TZ", previous_->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }
  ScopedTimeZone(const ScopedTimeZone&) = delete;
  ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

 private:
  std::optional<std::string> previous_;
};

toolkit::FormatSettings UsLong() {
  toolkit::FormatSettings s;
  s.fourDigitYear = true;
  s.amDesignator = "AM";
  s.pmDesignator = "PM";
  return s;
}

class HostileEntriesTest : public support::EndToEndFixture {
 protected:
  standin::UrlCacheStore store_{standin::UrlCacheStore::DefaultFile()};
};

TEST_F(HostileEntriesTest, OddNamesShowByTheRulesKeepTheirWholeAddressAndDeleteByIt) {
  const std::string longHost(65536, 'h');
  struct NameCase {
    std::string url;
    std::string caption;
  };
  const std::vector<NameCase> cases = {
      {"Cookie:\xff\xfe@bad\x80\xc3host.example/", "bad\x80\xc3host.example"},
      {"Cookie:ctl\x01\x1b@tab\there.example/\r\n", "tab\there.example/\r\n"},
      {"Cookie:u@" + longHost + "/", longHost.substr(0, 260)},
      {"", ""},
      {"@", ""},
      {"/", ""},
      {"Cookie:@", ""},
      {"Cookie:a@@b/", "@b"},
      {"Cookie:a@b//", "b/"},
      {"Cookie:a/b@c/d@e/", "c/d@e"},
      {"Cookie:no-user/", "Cookie:no-user"},
      {"@@@///", "@@//"},
  };
  std::vector<CacheEntry> entries;
  for (std::size_t i = 0; i < cases.size(); ++i) {
    entries.push_back({cases[i].url, COOKIE_CACHE_ENTRY, i % 2 == 0 ? 0u : 4294967295u, 0, 0, 0});
  }
  const CacheEntry page{"https://example.com/@/", NORMAL_CACHE_ENTRY, 1, 0, 0, 0};
  entries.push_back(page);
  ASSERT_TRUE(store_.PutAll(entries));

  TMainForm& form = Open();
  ASSERT_EQ(form.lvCookies->Items->Count(), static_cast<int>(cases.size()));
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const toolkit::TListItem* row = form.lvCookies->Items->Item(static_cast<int>(i));
    EXPECT_EQ(row->Caption(), cases[i].caption) << i;
    EXPECT_EQ(row->SubItem(0), i % 2 == 0 ? "0" : "4294967295") << i;
    EXPECT_EQ(row->SubItem(3), cases[i].url) << i;
  }

  // Every other row goes; the rest, and the page that is no cookie, stay untouched.
  for (std::size_t i = 0; i < cases.size(); i += 2) {
    form.lvCookies->Items->Item(static_cast<int>(i))->SetChecked(true);
  }
  form.ToolButton5->Click();
  std::vector<CacheEntry> kept;
  for (std::size_t i = 1; i < cases.size(); i += 2) kept.push_back(entries[i]);
  kept.push_back(page);
  EXPECT_EQ(store_.All(), kept);
  EXPECT_EQ(form.lvCookies->Items->Count(), static_cast<int>(cases.size() / 2));
}

TEST_F(HostileEntriesTest, TimesAtTheEdgesReadTheSameThroughTheStoreInEveryZone) {
  const toolkit::ScopedFormatSettings formats(UsLong());
  const std::uint64_t times[] = {
      0,
      1,
      FileTimeOf(1980, 1, 1),
      FileTimeOf(2107, 12, 31, 23, 59, 59),
      FileTimeOf(2026, 3, 8, 6, 59, 59),  // the last second of winter time in New York
      FileTimeOf(2026, 3, 8, 7, 0, 0),
      FileTimeOf(2026, 11, 1, 5, 30, 0),  // 1:30 AM in New York, twice
      FileTimeOf(2026, 11, 1, 6, 30, 0),
      0xFFFFFFFFFFFFFFFFull,
  };
  struct ZoneCase {
    const char* zone;
    std::vector<std::string> texts;
  };
  const ZoneCase zones[] = {
      {"UTC0",
       {kUnwritable, kUnwritable, "1/1/1980", "12/31/2107 11:59:58 PM", "3/8/2026 6:59:58 AM",
        "3/8/2026 7:00:00 AM", "11/1/2026 5:30:00 AM", "11/1/2026 6:30:00 AM", kUnwritable}},
      {"EST5EDT,M3.2.0,M11.1.0",
       {kUnwritable, kUnwritable, kUnwritable, "12/31/2107 6:59:58 PM", "3/8/2026 1:59:58 AM",
        "3/8/2026 3:00:00 AM", "11/1/2026 1:30:00 AM", "11/1/2026 1:30:00 AM", kUnwritable}},
      {"NZST-12NZDT,M9.5.0,M4.1.0/3",
       {kUnwritable, kUnwritable, "1/1/1980 1:00:00 PM", kUnwritable, "3/8/2026 7:59:58 PM",
        "3/8/2026 8:00:00 PM", "11/1/2026 6:30:00 PM", "11/1/2026 7:30:00 PM", kUnwritable}},
  };
  std::vector<CacheEntry> entries;
  for (const std::uint64_t time : times) {
    entries.push_back(
        {"Cookie:t@" + std::to_string(time) + ".example/", COOKIE_CACHE_ENTRY, 1, time, time, 0});
  }
  ASSERT_TRUE(store_.PutAll(entries));
  for (const ZoneCase& zone : zones) {
    const ScopedTimeZone inZone(zone.zone);
    TMainForm& form = Open();
    std::vector<std::string> modified;
    for (int i = 0; i < form.lvCookies->Items->Count(); ++i) {
      const toolkit::TListItem* row = form.lvCookies->Items->Item(i);
      EXPECT_EQ(row->SubItem(2), row->SubItem(1)) << zone.zone << " " << i;
      modified.emplace_back(row->SubItem(1));
    }
    EXPECT_EQ(modified, zone.texts) << zone.zone;
    delete MainForm;
    MainForm = nullptr;
  }
  EXPECT_EQ(store_.All(), entries);
}

}  // namespace
