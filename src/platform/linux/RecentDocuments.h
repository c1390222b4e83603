#pragma once
// The desktop's list of recently used documents: an XBEL bookmark file.

#include <filesystem>

namespace standin {

// UserDataHome()/recently-used.xbel; empty when there is no data folder.
std::filesystem::path RecentDocumentsFile();

// Replaces the list at `file` with a valid XBEL 1.0 file holding no bookmark: written beside
// it, with its permissions, then renamed over it. A missing list stays missing; a symbolic
// link, or anything else that is not a regular file, is left alone. True when the list is
// empty or missing afterwards.
bool ClearRecentDocuments(const std::filesystem::path& file);

}  // namespace standin
