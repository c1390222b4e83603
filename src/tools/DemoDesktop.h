#pragma once

#include <filesystem>

namespace standin {

// Puts a few items in the home trash of `dataHome`, as a file manager would, beside what the
// trash already holds; an item of the same name is left as it is.
bool SeedDemoTrash(const std::filesystem::path& dataHome);

// Writes a recent documents list of a few files to `dataHome`, unless there is one already.
bool SeedDemoRecentDocuments(const std::filesystem::path& dataHome);

}  // namespace standin
