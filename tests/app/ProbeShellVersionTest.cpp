// The shell version probe: every way it can fail leaves 0, and the library is freed whenever
// it was loaded.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/FuncUnit.h"
#include "fakes/FakePlatform.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

struct ProbeCase {
  const char* name;
  std::optional<std::uintptr_t> handle;
  bool exported;
  HRESULT result;
  DWORD reported;
  DWORD expected;
  std::vector<std::string> calls;
};

TEST(ProbeShellVersion, Outcomes) {
  const std::string load = "LoadLibraryA(\"shlwapi.dll\")";
  const std::string lookUp = "GetProcAddress(shlwapi, \"DllGetVersion\")";
  const std::string ask = "DllGetVersion(cbSize 20, major 0)";
  const std::string free = "FreeLibrary(shlwapi)";
  const ProbeCase cases[] = {
      {"version 6 passes", {}, true, S_OK, 6, 6, {load, lookUp, ask, free}},
      {"version 5 is read as it is", {}, true, S_OK, 5, 5, {load, lookUp, ask, free}},
      {"library missing", 0, true, S_OK, 6, 0, {load}},
      {"handle of 32 counts as failure", 32, true, S_OK, 6, 0, {load}},
      {"export missing", {}, false, S_OK, 6, 0, {load, lookUp, free}},
      {"failure after filling", {}, true, E_INVALIDARG, 6, 0, {load, lookUp, ask, free}},
      {"success other than S_OK", {}, true, S_FALSE, 6, 0, {load, lookUp, ask, free}},
  };
  for (const ProbeCase& c : cases) {
    fakes::FakePlatform fake;
    fake.shlwapiHandle = c.handle;
    fake.exportsDllGetVersion = c.exported;
    fake.dllGetVersionResult = c.result;
    fake.shellMajorVersion = c.reported;
    ShellMajorVersion = 9;  // a second probe starts from 0 again
    ProbeShellVersion();
    EXPECT_EQ(ShellMajorVersion, c.expected) << c.name;
    EXPECT_THAT(fake.calls, ElementsAreArray(c.calls)) << c.name;
  }
}

}  // namespace
