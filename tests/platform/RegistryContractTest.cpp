// What the program relies on of the registry, checked once against the recording fake and once
// against the stand-in over the persistent store, so that the two cannot drift apart.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fakes/FakePlatform.h"
#include "platform/Registry.h"
#include "platform/linux/RegistryStore.h"
#include "platform/linux/StoreRegistry.h"
#include "support/TempProfile.h"

namespace {

using ::testing::ElementsAre;

constexpr const char* kKey = "Software\\Example\\TypedURLs";
constexpr const char* kSubKey = "Software\\Example\\TypedURLs\\Sub";

// One implementation under test, seeded with a key of three values and a subkey of one.
class RegistryUnderTest {
 public:
  virtual ~RegistryUnderTest() = default;
};

class FakeRegistryUnderTest final : public RegistryUnderTest {
 public:
  FakeRegistryUnderTest() {
    fake_.registry.keys = {{"Software", {}},
                           {"Software\\Example", {}},
                           {kKey, {"url1", "MRUList", "longer-name"}},
                           {kSubKey, {"kept"}}};
  }

 private:
  fakes::FakePlatform fake_;
};

class StoreRegistryUnderTest final : public RegistryUnderTest {
 public:
  StoreRegistryUnderTest() {
    // A second connection, as another process would hold.
    standin::RegistryStore other(file_);
    const auto key = other.CreateKey(kKey);
    const auto sub = other.CreateKey(kSubKey);
    for (const char* name : {"url1", "MRUList", "longer-name"}) {
      other.SetValue(*key, {name, REG_SZ, "data"});
    }
    other.SetValue(*sub, {"kept", REG_DWORD, std::string(4, '\0')});
  }

 private:
  support::TempProfile profile_;
  std::filesystem::path file_ = standin::RegistryStore::DefaultFile();
  standin::StoreRegistry registry_{file_};
  platform::Installed<platform::Registry> installed_{registry_};
};

class RegistryContractTest : public ::testing::TestWithParam<bool> {
 protected:
  RegistryContractTest() {
    if (GetParam()) {
      registry_ = std::make_unique<StoreRegistryUnderTest>();
    } else {
      registry_ = std::make_unique<FakeRegistryUnderTest>();
    }
  }

  HKEY Open(const char* path, LONG expected = ERROR_SUCCESS) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_ALL_ACCESS, &key), expected) << path;
    return key;
  }

  // Every name the key enumerates, with the program's buffer of longest + 1 characters.
  std::vector<std::string> Names(HKEY key) {
    DWORD count = 0;
    DWORD longest = 0;
    EXPECT_EQ(RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                               &longest, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    std::vector<std::string> names;
    std::vector<char> buffer(longest + 1);
    for (DWORD index = 0; index < count; ++index) {
      DWORD length = longest + 1;
      EXPECT_EQ(
          RegEnumValueA(key, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr),
          ERROR_SUCCESS);
      names.emplace_back(buffer.data(), length);
    }
    return names;
  }

  std::unique_ptr<RegistryUnderTest> registry_;
};

TEST_P(RegistryContractTest, MissingKeysAreNotFoundAndNotCreated) {
  Open("Software\\Example\\Missing", ERROR_FILE_NOT_FOUND);
  Open("Software\\Example\\Missing", ERROR_FILE_NOT_FOUND);
  const HKEY key = Open(kKey);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
}

TEST_P(RegistryContractTest, ValuesEnumerateInTheirOrderAndTheSubkeyCounts) {
  const HKEY key = Open(kKey);
  DWORD subKeys = 0;
  DWORD values = 0;
  DWORD longest = 0;
  ASSERT_EQ(RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values,
                             &longest, nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(subKeys, 1u);
  EXPECT_EQ(values, 3u);
  EXPECT_EQ(longest, std::strlen("longer-name"));
  EXPECT_THAT(Names(key), ElementsAre("url1", "MRUList", "longer-name"));
  RegCloseKey(key);
}

TEST_P(RegistryContractTest, ANameThatDoesNotFitLeavesTheBufferAndTheEndIsReported) {
  const HKEY key = Open(kKey);
  char buffer[5] = "####";
  DWORD length = 4;  // "url1" without room for its NUL
  EXPECT_EQ(RegEnumValueA(key, 0, buffer, &length, nullptr, nullptr, nullptr, nullptr),
            ERROR_MORE_DATA);
  EXPECT_STREQ(buffer, "####");
  length = 5;
  EXPECT_EQ(RegEnumValueA(key, 3, buffer, &length, nullptr, nullptr, nullptr, nullptr),
            ERROR_NO_MORE_ITEMS);
  RegCloseKey(key);
}

TEST_P(RegistryContractTest, DeletingValuesKeepsTheRestTheKeyAndItsSubkey) {
  const HKEY key = Open(kKey);
  EXPECT_EQ(RegDeleteValueA(key, "MRUList"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueA(key, "MRUList"), ERROR_FILE_NOT_FOUND);
  EXPECT_THAT(Names(key), ElementsAre("url1", "longer-name"));
  EXPECT_EQ(RegDeleteValueA(key, "url1"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueA(key, "longer-name"), ERROR_SUCCESS);
  EXPECT_THAT(Names(key), ElementsAre());
  RegCloseKey(key);
  RegCloseKey(Open(kKey));
  const HKEY sub = Open(kSubKey);
  EXPECT_THAT(Names(sub), ElementsAre("kept"));
  RegCloseKey(sub);
}

INSTANTIATE_TEST_SUITE_P(Implementations, RegistryContractTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& param) {
                           return param.param ? "Store" : "Fake";
                         });

}  // namespace
