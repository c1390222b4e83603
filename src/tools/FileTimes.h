#pragma once
// FILETIME values written and read as UTC texts, "2026-12-11T09:30:00Z".

#include <cstdint>
#include <optional>
#include <string>

namespace standin {

// "never" and "0" read as 0; otherwise YYYY-MM-DD[THH:MM[:SS]][Z], taken as UTC.
std::optional<std::uint64_t> ParseFileTime(const std::string& text);
std::string FormatFileTime(std::uint64_t fileTime);
// The FILETIME of a UTC calendar moment.
std::uint64_t FileTimeOf(int year, unsigned month, unsigned day, int hour = 0, int minute = 0,
                         int second = 0);

}  // namespace standin
