// The "Programs History" tab over the real stand-in platform, against what other programs
// wrote: the registry through the stand-in tool, the trash through GLib's gio, the recent
// documents list through GLib's bookmark file.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>

#include "app/MainUnit.h"
#include "platform/linux/LinuxPlatform.h"
#include "support/TempProfile.h"
#include "toolkit/Application.h"

namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

struct Outcome {
  int exitCode;
  std::string output;
  std::string errors;
};

// Runs a program in the test's profile; a program that cannot start or crashes gives -1.
Outcome Start(const QString& program, const QStringList& arguments, const std::string& input = "") {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForStarted(10000)) return {-1, "", program.toStdString() + " did not start"};
  process.write(input.data(), static_cast<qint64>(input.size()));
  process.closeWriteChannel();
  process.waitForFinished(60000);
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          process.readAllStandardOutput().toStdString(),
          process.readAllStandardError().toStdString()};
}

QString Built(const char* path) {
  return QCoreApplication::applicationDirPath() + "/" + path;
}

class HistoryEndToEndTest : public ::testing::Test {
 protected:
  ~HistoryEndToEndTest() override {
    delete form_;
    MainForm = nullptr;
  }

  Outcome Tool(const QStringList& arguments, const std::string& input = "") {
    return Start(Built("../src/standin"), arguments, input);
  }

  // Checks the items and presses "Delete" on a window over the stand-in platform.
  void Delete(std::initializer_list<int> items) {
    if (form_ == nullptr) MainForm = form_ = new TMainForm;
    for (const int item : items) form_->CheckListBox1->SetChecked(item, true);
    form_->ToolButton11->click();
  }

  support::TempProfile profile_;
  standin::LinuxPlatform platform_;
  toolkit::TApplication application_;
  TMainForm* form_ = nullptr;
};

TEST_F(HistoryEndToEndTest, RegistryValuesGoAndKeysSubkeysAndOtherKeysStay) {
  ASSERT_EQ(Tool({"demo"}).exitCode, 0);
  const std::string before = Tool({"reg", "export"}).output;
  ASSERT_THAT(before, HasSubstr("\"url1\"="));
  ASSERT_THAT(before, HasSubstr("\"MRUList\"=\"dcba\""));
  Delete({0, 2, 3});
  const std::string run = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
  EXPECT_EQ(Tool({"reg", "list", QString::fromStdString(run)}).output, "Settings\\\n");
  EXPECT_EQ(Tool({"reg", "list", "Software\\Microsoft\\Internet Explorer\\TypedURLs"}).output, "");
  EXPECT_EQ(
      Tool({"reg", "list", "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList"}).output, "");
  EXPECT_EQ(Tool({"reg", "list", QString::fromStdString(run + "\\Settings")}).output,
            "\"Kept\"=dword:00000001\n");
  const std::string after = Tool({"reg", "export"}).output;
  EXPECT_THAT(after, HasSubstr("\"Start Page\"="));
  EXPECT_THAT(after, HasSubstr("[HKEY_CURRENT_USER\\Software\\Microsoft\\MediaPlayer\\Player\\"
                               "RecentURLList]\n\"URL0\"="));
  EXPECT_EQ(form_->ProgressBar->Position(), 0);
}

TEST_F(HistoryEndToEndTest, ToolRefusesBadInputAndChangesNothing) {
  ASSERT_EQ(Tool({"reg", "add", "Software\\Kept", "v", "REG_SZ", "x"}).exitCode, 0);
  const std::string before = Tool({"reg", "export"}).output;
  const std::pair<QStringList, std::string> bad[] = {
      {{"reg", "add", "Software\\Kept", "v", "REG_DWORD", "-1"}, "not a value of type"},
      {{"reg", "add", "Software\\\\Kept"}, "not a key path"},
      {{"reg", "delete", "Software\\Missing"}, "no key named"},
      {{"reg", "delete", "Software\\Kept", "missing"}, "no value named"},
      {{"reg", "import", "-"}, "line 3: not a string"},
      {{"reg", "frobnicate", "Software"}, "unknown reg command"},
  };
  for (const auto& [arguments, error] : bad) {
    const Outcome run =
        Tool(arguments, "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Kept]\n\"v\"=bad\n");
    EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
    EXPECT_THAT(run.errors, HasSubstr(error)) << arguments.join(' ').toStdString();
  }
  EXPECT_EQ(Tool({"reg", "export"}).output, before);
}

TEST_F(HistoryEndToEndTest, WhatGioPutInTheTrashIsGoneAndALinkedFileOutsideStays) {
  const fs::path home = profile_.DataHome();
  const fs::path outside = home / "outside.txt";
  std::ofstream(outside) << "keep me";
  std::ofstream(home / "letter.txt") << "bye";
  fs::create_directories(home / "project" / "src");
  std::ofstream(home / "project" / "src" / "main.c") << "int main;";
  fs::create_symlink(outside, home / "link-to-outside");
  const Outcome trashed =
      Start("gio", {"trash", QString::fromStdString((home / "letter.txt").string()),
                    QString::fromStdString((home / "project").string()),
                    QString::fromStdString((home / "link-to-outside").string())});
  ASSERT_EQ(trashed.exitCode, 0) << trashed.errors;
  ASSERT_TRUE(fs::is_symlink(home / "Trash" / "files" / "link-to-outside"));

  // What the desktop's own trash view lists of this profile's items.
  const auto listed = [&home] {
    const Outcome list =
        Start("dbus-run-session", {"--", "gio", "list", "-a", "trash::orig-path", "trash:///"});
    EXPECT_EQ(list.exitCode, 0) << list.errors;
    std::vector<std::string> ours;
    std::istringstream lines(list.output);
    for (std::string line; std::getline(lines, line);) {
      if (line.find("trash::orig-path=" + home.string() + "/") != std::string::npos) {
        ours.push_back(line.substr(0, line.find('\t')));
      }
    }
    std::sort(ours.begin(), ours.end());
    return ours;
  };
  ASSERT_THAT(listed(), ElementsAre("letter.txt", "link-to-outside", "project"));
  Delete({5});
  EXPECT_THAT(listed(), IsEmpty());
  EXPECT_TRUE(fs::is_empty(home / "Trash" / "files"));
  EXPECT_TRUE(fs::is_empty(home / "Trash" / "info"));
  std::ifstream kept(outside);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "keep me");
}

TEST_F(HistoryEndToEndTest, ARecentDocumentsListWrittenByGlibStillParsesAndListsNothing) {
  const fs::path list = profile_.DataHome() / "recently-used.xbel";
  const QString file = QString::fromStdString(list.string());
  ASSERT_EQ(Start(Built("bookmark-tool"), {"add", file, "file:///home/jane/report.odt",
                                           "file:///home/jane/secret%20plans.txt"})
                .exitCode,
            0);
  ASSERT_EQ(chmod(list.c_str(), 0600), 0);
  ASSERT_EQ(Start(Built("bookmark-tool"), {"count", file}).output, "2\n");
  Delete({4});
  const Outcome count = Start(Built("bookmark-tool"), {"count", file});
  EXPECT_EQ(count.exitCode, 0) << count.errors;
  EXPECT_EQ(count.output, "0\n");
  struct stat info {};
  ASSERT_EQ(stat(list.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);
}

}  // namespace
