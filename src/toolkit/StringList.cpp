#include "toolkit/StringList.h"

namespace toolkit {

int TStringList::Add(std::string text) {
  strings_.push_back(std::move(text));
  return Count() - 1;
}

const std::string& TStringList::operator[](int index) const {
  return strings_.at(static_cast<std::size_t>(index));
}

}  // namespace toolkit
