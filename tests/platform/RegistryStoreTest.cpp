// The stand-in registry store: keys found without being created, names without regard to
// case, values kept in their order, and files that are not its own left alone.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/linux/RegistryStore.h"
#include "support/TempProfile.h"

namespace {

using standin::RegistryStore;
using standin::RegistryValue;
using ::testing::ElementsAre;

class RegistryStoreTest : public ::testing::Test {
 protected:
  support::TempProfile profile_;
  RegistryStore store_{RegistryStore::DefaultFile()};
};

TEST_F(RegistryStoreTest, FindingNeverCreatesAndMalformedPathsFindNothing) {
  EXPECT_FALSE(store_.FindKey("Software\\Example"));
  EXPECT_FALSE(std::filesystem::exists(RegistryStore::DefaultFile()));
  const auto key = store_.CreateKey("Software\\Example\\Deep");
  ASSERT_TRUE(key);
  EXPECT_EQ(store_.FindKey("software\\EXAMPLE\\deep"), key);
  EXPECT_FALSE(store_.FindKey("Software\\Example\\Missing"));
  for (const char* path : {"\\Software", "Software\\", "Software\\\\Example"}) {
    EXPECT_FALSE(store_.FindKey(path)) << path;
    EXPECT_FALSE(store_.CreateKey(path)) << path;
  }
  EXPECT_THAT(store_.SubKeys(*store_.FindKey("Software")), ElementsAre("Example"));
}

TEST_F(RegistryStoreTest, ValuesKeepTheirOrderAndTypesAndReplaceInPlace) {
  const auto key = *store_.CreateKey("Software\\Example");
  ASSERT_TRUE(store_.SetValue(key, {"url1", 1, std::string("a\0b", 3)}));
  ASSERT_TRUE(store_.SetValue(key, {"MRUList", 1, "ba"}));
  ASSERT_TRUE(store_.SetValue(key, {"count", 4, std::string("\x02\0\0\0", 4)}));
  ASSERT_TRUE(store_.SetValue(key, {"URL1", 1, "replaced"}));
  EXPECT_THAT(store_.Values(key),
              ElementsAre(RegistryValue{"url1", 1, "replaced"}, RegistryValue{"MRUList", 1, "ba"},
                          RegistryValue{"count", 4, std::string("\x02\0\0\0", 4)}));
  EXPECT_TRUE(store_.DeleteValue(key, "mrulist"));
  EXPECT_FALSE(store_.DeleteValue(key, "mrulist"));
  EXPECT_EQ(store_.Value(key, "COUNT")->type, 4u);
}

TEST_F(RegistryStoreTest, DeletingAKeyTakesItsSubkeysAndValuesOnly) {
  const auto parent = *store_.CreateKey("Software\\A");
  const auto child = *store_.CreateKey("Software\\A\\B\\C");
  const auto sibling = *store_.CreateKey("Software\\Sibling");
  store_.SetValue(child, {"v", 1, "x"});
  store_.SetValue(sibling, {"w", 1, "y"});
  EXPECT_TRUE(store_.DeleteKey(parent));
  EXPECT_FALSE(store_.FindKey("Software\\A\\B"));
  EXPECT_TRUE(store_.Values(child).empty());
  EXPECT_THAT(store_.Values(sibling), ElementsAre(RegistryValue{"w", 1, "y"}));
  EXPECT_THAT(store_.SubKeys(*store_.FindKey("Software")), ElementsAre("Sibling"));
}

TEST_F(RegistryStoreTest, DamagedFileIsEmptyAndNeverWritten) {
  const auto file = RegistryStore::DefaultFile();
  std::filesystem::create_directories(file.parent_path());
  const std::string garbage(4096, '\x7f');
  std::ofstream(file, std::ios::binary) << garbage;
  EXPECT_FALSE(store_.FindKey("Software"));
  EXPECT_FALSE(store_.CreateKey("Software"));
  std::ifstream in(file, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), garbage);
}

}  // namespace
