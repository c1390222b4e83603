// The stand-in registry's own rules beyond what the program relies on: names without regard to
// case, the access a key was opened with, and a store that opening never creates.

#include <gtest/gtest.h>

#include "platform/Registry.h"
#include "platform/linux/RegistryStore.h"
#include "platform/linux/StoreRegistry.h"
#include "support/TempProfile.h"

namespace {

class StoreRegistryTest : public ::testing::Test {
 protected:
  support::TempProfile profile_;
  std::filesystem::path file_ = standin::RegistryStore::DefaultFile();
  standin::StoreRegistry registry_{file_};
};

TEST_F(StoreRegistryTest, OpeningAKeyOfAMissingStoreCreatesNoStore) {
  HKEY key = nullptr;
  EXPECT_EQ(
      registry_.RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Missing", 0, KEY_ALL_ACCESS, &key),
      static_cast<LONG>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(std::filesystem::exists(file_));
}

TEST_F(StoreRegistryTest, NamesIgnoreCaseAndAccessIsWhatTheKeyWasOpenedWith) {
  standin::RegistryStore other(file_);
  other.SetValue(*other.CreateKey("Software\\Example"), {"Value", REG_SZ, "x"});
  HKEY parent = nullptr;
  HKEY readOnly = nullptr;
  ASSERT_EQ(registry_.RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE", 0, KEY_ALL_ACCESS, &parent), 0);
  ASSERT_EQ(registry_.RegOpenKeyExA(parent, "example", 0, KEY_QUERY_VALUE, &readOnly), 0);
  EXPECT_EQ(registry_.RegDeleteValueA(readOnly, "VALUE"), static_cast<LONG>(ERROR_ACCESS_DENIED));
  HKEY writable = nullptr;
  ASSERT_EQ(registry_.RegOpenKeyExA(readOnly, "", 0, KEY_ALL_ACCESS, &writable), 0);
  EXPECT_EQ(registry_.RegDeleteValueA(writable, "VALUE"), 0);
  for (HKEY key : {parent, readOnly, writable}) EXPECT_EQ(registry_.RegCloseKey(key), 0);
}

}  // namespace
