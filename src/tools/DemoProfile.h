#pragma once

#include <vector>

#include "platform/linux/UrlCacheStore.h"

namespace standin {

// A realistic URL cache: a few dozen cookies of varied sites, hit counts and dates, the
// awkward names among them, and some cached pages around them.
std::vector<CacheEntry> DemoCacheEntries();

}  // namespace standin
