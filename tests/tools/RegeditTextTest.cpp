// The REGEDIT4 text of the stand-in tool: every value type written and read back unchanged,
// long lines continued, and each kind of bad text refused with its line and no change.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/Registry.h"
#include "support/TempProfile.h"
#include "tools/RegeditText.h"

namespace {

using standin::RegistryChange;
using standin::RegistryStore;
using standin::RegistryValue;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

using Kind = RegistryChange::Kind;

TEST(RegeditText, EveryValueTypeSurvivesExportAndImport) {
  support::TempProfile profile;
  RegistryStore store(RegistryStore::DefaultFile());
  const auto key = *store.CreateKey("Software\\Example");
  store.CreateKey("Software\\Example\\Empty Child");
  const std::vector<RegistryValue> values = {
      {"", REG_SZ, std::string("default\0", 8)},
      {"quote \" and \\ slash", REG_SZ, std::string("C:\\dir \"x\"\0", 11)},
      {"line break", REG_SZ, std::string("two\nlines\0", 10)},  // only hex(1) carries it
      {"no final NUL", REG_SZ, "abc"},
      {"count", REG_DWORD, std::string("\x02\x01\0\0", 4)},
      {"short dword", REG_DWORD, std::string("\x02", 1)},
      {"long", REG_BINARY, std::string(100, '\xAB')},
      {"empty", REG_BINARY, ""},
      {"expand", REG_EXPAND_SZ, std::string("%HOME%\0", 7)},
      {"quad", REG_QWORD, std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8)},
      {"none", REG_NONE, ""},
  };
  for (const RegistryValue& value : values) ASSERT_TRUE(store.SetValue(key, value));
  const std::string text = standin::FormatRegedit(store, 0, "");
  EXPECT_THAT(text, HasSubstr("@=\"default\"\n"));
  EXPECT_THAT(text, HasSubstr("\"quote \\\" and \\\\ slash\"=\"C:\\\\dir \\\"x\\\"\"\n"));
  EXPECT_THAT(text, HasSubstr("\"count\"=dword:00000102\n"));
  EXPECT_THAT(text, HasSubstr("\"line break\"=hex(1):"));
  EXPECT_THAT(text, HasSubstr("\\\n  ab,"));  // a long list goes on in the next line
  EXPECT_THAT(text, HasSubstr("[HKEY_CURRENT_USER\\Software\\Example\\Empty Child]\n"));

  support::TempProfile other;
  RegistryStore copy(RegistryStore::DefaultFile());
  const standin::RegeditParse parse = standin::ParseRegedit(text);
  ASSERT_FALSE(parse.error) << *parse.error;
  ASSERT_TRUE(standin::ApplyChanges(copy, parse.changes));
  EXPECT_EQ(copy.Values(*copy.FindKey("Software\\Example")), values);
  EXPECT_EQ(standin::FormatRegedit(copy, 0, ""), text);
}

TEST(RegeditText, DeletionsOfKeysAndValues) {
  const auto parse = standin::ParseRegedit(
      "\xEF\xBB\xBFREGEDIT4\r\n"
      "; a comment\r\n"
      "[-HKEY_CURRENT_USER\\Software\\Old]\r\n"
      "[hkey_current_user\\Software\\New]\r\n"
      "\"gone\"=-\r\n"
      "\"bytes\"=hex:01,\\\r\n"
      "  02\r\n");
  ASSERT_FALSE(parse.error) << *parse.error;
  EXPECT_THAT(parse.changes,
              ElementsAre(RegistryChange{Kind::DeleteKey, "Software\\Old", {}},
                          RegistryChange{Kind::AddKey, "Software\\New", {}},
                          RegistryChange{Kind::DeleteValue, "Software\\New", {"gone", 0, ""}},
                          RegistryChange{
                              Kind::SetValue, "Software\\New", {"bytes", REG_BINARY, "\x01\x02"}}));
}

TEST(RegeditText, BadTextNamesItsLineAndChangesNothing) {
  const std::pair<const char*, const char*> cases[] = {
      {"[HKEY_CURRENT_USER\\A]\n", "line 1: the text must begin with REGEDIT4"},
      {"", "line 1: the text must begin with REGEDIT4"},
      {"REGEDIT4\n\"a\"=\"b\"\n", "line 2: a value before the first key"},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n", "line 2: not a key of HKEY_CURRENT_USER"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\A\\\\B]\n", "line 2: not a key"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\A\n", "line 2: a key name must end with ]"},
      {"REGEDIT4\n[-HKEY_CURRENT_USER]\n", "line 2: HKEY_CURRENT_USER cannot be deleted"},
      {"REGEDIT4\n[-HKEY_CURRENT_USER\\A]\n\"a\"=\"b\"\n", "line 3: a value under a key being"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\na=\"b\"\n", "line 3: a value name must be @"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\" \"b\"\n", "line 3: = must follow"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\"=\"b\n", "line 3: not a string"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\"=dword:123456789\n", "line 3: not a string"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\"=hex:1,zz\n", "line 3: not a string"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\"=hex(2:00\n", "line 3: not a string"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"a\"=\"b\\q\"\n", "line 3: not a string"},
  };
  for (const auto& [text, error] : cases) {
    const auto parse = standin::ParseRegedit(text);
    ASSERT_TRUE(parse.error) << text;
    EXPECT_THAT(*parse.error, HasSubstr(error)) << text;
    EXPECT_TRUE(parse.changes.empty()) << text;
  }
}

}  // namespace
