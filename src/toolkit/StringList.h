#pragma once
// An unsorted list of strings, kept in the order they were added.

#include <string>
#include <vector>

namespace toolkit {

class TStringList {
 public:
  // The index of the added string.
  int Add(std::string text);
  void Clear() { strings_.clear(); }
  int Count() const { return static_cast<int>(strings_.size()); }
  const std::string& operator[](int index) const;

 private:
  std::vector<std::string> strings_;
};

}  // namespace toolkit
