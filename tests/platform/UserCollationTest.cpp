// The stand-in collation: case-sensitive, and its sort keys order texts exactly as its
// comparison does, whatever bytes they hold.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "platform/linux/ThreadErrors.h"
#include "platform/linux/UserCollation.h"

namespace {

int Sign(int value) {
  return value < 0 ? -1 : value > 0 ? 1 : 0;
}

class UserCollationTest : public ::testing::Test {
 protected:
  UserCollationTest() { setenv("LC_ALL", "C.UTF-8", 1); }
  ~UserCollationTest() override { unsetenv("LC_ALL"); }

  int Compare(const std::string& a, const std::string& b) {
    return collation_.CompareStringA(LOCALE_USER_DEFAULT, 0, a.data(), static_cast<int>(a.size()),
                                     b.data(), static_cast<int>(b.size())) -
           2;
  }
  std::string Key(const std::string& text) {
    const int size = collation_.LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, text.data(),
                                             static_cast<int>(text.size()), nullptr, 0);
    std::string key(static_cast<std::size_t>(size), '\0');
    EXPECT_EQ(collation_.LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, text.data(),
                                      static_cast<int>(text.size()), key.data(), size),
              size);
    return key;
  }

  standin::ThreadErrors errors_;
  platform::Installed<platform::Errors> installed_{errors_};
  standin::UserCollation collation_;
};

TEST_F(UserCollationTest, TextsDifferingInCaseAreNotEqual) {
  EXPECT_NE(Compare("example.com", "Example.com"), 0);
  EXPECT_EQ(Compare("example.com", "example.com"), 0);
  EXPECT_EQ(Compare("a", "b"), -1);
  EXPECT_EQ(Compare("b", "a"), 1);
}

TEST_F(UserCollationTest, SortKeysAgreeWithTheComparison) {
  std::mt19937 random(3);
  const std::string alphabet = "aAbB.-/@zZ09\xc3\xa9\xff\x80 ";
  std::vector<std::string> texts;
  for (int i = 0; i < 300; ++i) {
    std::string text;
    for (std::size_t n = random() % 8; n > 0; --n) text += alphabet[random() % alphabet.size()];
    texts.push_back(text);
  }
  for (std::size_t i = 0; i + 1 < texts.size(); ++i) {
    const std::string& a = texts[i];
    const std::string& b = texts[i + 1];
    EXPECT_EQ(Sign(std::strcmp(Key(a).c_str(), Key(b).c_str())), Compare(a, b))
        << "'" << a << "' against '" << b << "'";
  }
}

}  // namespace
