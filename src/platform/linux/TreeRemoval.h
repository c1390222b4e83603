#pragma once

namespace standin {

// Removes everything inside the open directory `directory`, keeping the directory itself.
// Symbolic links go as links, nothing on another mount is entered, directories of our own
// that lack the owner's bits get them, entries that vanish meanwhile count as gone, and trees
// of any depth are walked with a bounded number of open descriptors. Goes on past what it
// cannot remove; true when nothing stayed.
bool RemoveContents(int directory);

}  // namespace standin
