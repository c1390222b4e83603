// The stand-in Internet Options dialogs as a user meets them: the site an address names, the
// per-site decisions and where they are kept, the tabs, the windows other programs find, and
// the names a screen reader announces.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

#include "inetcpl/PerSiteDialog.h"
#include "inetcpl/PropertiesDialog.h"
#include "inetcpl/SiteDecisions.h"
#include "platform/linux/DirectoryWindows.h"
#include "platform/linux/RuntimeDirectory.h"
#include "platform/linux/ThreadErrors.h"
#include "support/TempProfile.h"
#include "support/WaitFor.h"

namespace {

using inetcpl::Decision;
using inetcpl::PerSiteDialog;
using inetcpl::SiteDecision;
using inetcpl::SiteDecisions;
using ::testing::ElementsAre;

TEST(SiteOfTest, TakesTheHostOfWhatAUserTypesOrPastes) {
  const std::pair<std::string, std::optional<std::string>> cases[] = {
      {"example.com", "example.com"},
      {"  https://www.Example.COM:8080/path?q=1#top  ", "www.example.com"},
      // A cookie row's site may carry the cookie's path.
      {"other.example.org/path", "other.example.org"},
      {".example.com", "example.com"},
      {"jane@example.com", "example.com"},
      {"example.com.", "example.com"},
      {"localhost", "localhost"},
      {"xn--bcher-kva.example", "xn--bcher-kva.example"},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"http://", std::nullopt},
      {"exa mple.com", std::nullopt},
      {"-bad.example", std::nullopt},
      {"a..b", std::nullopt},
      {"caf\xC3\xA9.example", std::nullopt},
      {std::string(64, 'a') + ".example", std::nullopt},
  };
  for (const auto& [address, site] : cases) {
    EXPECT_EQ(SiteDecisions::SiteOf(address), site) << '"' << address << '"';
  }
}

class InternetOptionsDialogsTest : public ::testing::Test {
 protected:
  std::vector<std::pair<std::string, std::string>> Rows(const PerSiteDialog& dialog) const {
    std::vector<std::pair<std::string, std::string>> rows;
    for (int i = 0; i < dialog.Sites()->topLevelItemCount(); ++i) {
      const QTreeWidgetItem* row = dialog.Sites()->topLevelItem(i);
      rows.emplace_back(row->text(0).toStdString(), row->text(1).toStdString());
    }
    return rows;
  }

  support::TempProfile profile_;
  standin::RegistryStore store_{standin::RegistryStore::DefaultFile()};
  SiteDecisions decisions_{store_};
  standin::WindowHost host_{standin::RuntimeDirectory()};
};

TEST_F(InternetOptionsDialogsTest, PerSiteDecisionsAreMadeReplacedRemovedAndKept) {
  PerSiteDialog dialog(nullptr, host_, decisions_);
  EXPECT_FALSE(dialog.Block()->isEnabled());
  EXPECT_FALSE(dialog.RemoveAll()->isEnabled());
  dialog.Address()->setText("not a site");
  EXPECT_FALSE(dialog.Allow()->isEnabled());

  dialog.Address()->setText("https://www.example.com/a");
  ASSERT_TRUE(dialog.Block()->isEnabled());
  dialog.Block()->click();
  EXPECT_TRUE(dialog.Address()->text().isEmpty());
  dialog.Address()->setText("second.example");
  dialog.Allow()->click();
  dialog.Address()->setText("WWW.EXAMPLE.COM");
  dialog.Allow()->click();
  // Decided anew in its place.
  EXPECT_THAT(Rows(dialog), ElementsAre(std::pair{"www.example.com", "Allow"},
                                        std::pair{"second.example", "Allow"}));

  EXPECT_FALSE(dialog.Remove()->isEnabled());
  dialog.Sites()->topLevelItem(1)->setSelected(true);
  ASSERT_TRUE(dialog.Remove()->isEnabled());
  dialog.Remove()->click();
  EXPECT_THAT(Rows(dialog), ElementsAre(std::pair{"www.example.com", "Allow"}));

  // Kept in the registry: a later dialog, in a later run, shows the same.
  standin::RegistryStore later(standin::RegistryStore::DefaultFile());
  SiteDecisions laterDecisions(later);
  EXPECT_THAT(laterDecisions.All(), ElementsAre(SiteDecision{"www.example.com", Decision::Allow}));
  PerSiteDialog reopened(nullptr, host_, laterDecisions);
  EXPECT_THAT(Rows(reopened), ElementsAre(std::pair{"www.example.com", "Allow"}));
  reopened.RemoveAll()->click();
  EXPECT_TRUE(Rows(reopened).empty());
  EXPECT_FALSE(reopened.RemoveAll()->isEnabled());
  EXPECT_TRUE(decisions_.All().empty());
}

TEST_F(InternetOptionsDialogsTest, ValuesThatAreNoDecisionAreSkipped) {
  const auto key = store_.CreateKey("Software\\Stand-in\\Internet Options\\Per Site Privacy");
  ASSERT_TRUE(key);
  store_.SetValue(*key, {"text.example", 1, "Block"});
  store_.SetValue(*key, {"seven.example", 4, std::string("\x07\0\0\0", 4)});
  store_.SetValue(*key, {"not a site", 4, std::string("\x01\0\0\0", 4)});
  store_.SetValue(*key, {"fine.example", 4, std::string("\x01\0\0\0", 4)});
  EXPECT_THAT(decisions_.All(), ElementsAre(SiteDecision{"fine.example", Decision::Block}));
}

TEST_F(InternetOptionsDialogsTest, PropertiesOpenAtTheAskedTabAndEditOpensOnePerSiteDialog) {
  const std::pair<int, QString> tabs[] = {{2, "Privacy"}, {0, "General"}, {9, "General"}};
  for (const auto& [tab, text] : tabs) {
    inetcpl::PropertiesDialog dialog(host_, decisions_, tab);
    EXPECT_EQ(dialog.Tabs()->tabText(dialog.Tabs()->currentIndex()), text) << tab;
  }
  inetcpl::PropertiesDialog dialog(host_, decisions_, 2);
  EXPECT_EQ(dialog.windowTitle(), "Internet Properties");
  dialog.EditButton()->click();
  PerSiteDialog* perSite = dialog.PerSite();
  ASSERT_NE(perSite, nullptr);
  EXPECT_EQ(perSite->windowTitle(), "Per Site Privacy Actions");
  dialog.EditButton()->click();
  EXPECT_EQ(dialog.PerSite(), perSite);
}

TEST_F(InternetOptionsDialogsTest, OtherProgramsFindTheWindowsAndTheirClickAndClosingRemovesThem) {
  standin::ThreadErrors errors;
  const platform::Installed<platform::Errors> installedErrors(errors);
  standin::DirectoryWindows windows;
  auto dialog = std::make_unique<inetcpl::PropertiesDialog>(host_, decisions_, 2);
  const HWND options = windows.FindWindowA("#32770", "Internet Properties");
  const HWND page = windows.FindWindowExA(options, nullptr, "#32770", "Privacy");
  const HWND button = windows.FindWindowExA(page, nullptr, "Button", "&Edit...");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(windows.GetDlgCtrlID(button), inetcpl::PropertiesDialog::kEditButton);

  ASSERT_TRUE(windows.PostMessageA(options, WM_COMMAND,
                                   MAKEWPARAM(inetcpl::PropertiesDialog::kEditButton, BN_CLICKED),
                                   reinterpret_cast<LPARAM>(button)));
  ASSERT_TRUE(support::WaitFor([&] { return dialog->PerSite() != nullptr; }));
  const HWND perSite = windows.FindWindowA("#32770", "Per Site Privacy Actions");
  ASSERT_NE(perSite, nullptr);
  const HWND field = windows.FindWindowExA(perSite, nullptr, "Edit", nullptr);
  ASSERT_NE(field, nullptr);
  dialog->PerSite()->Address()->setText("typed.example");
  EXPECT_EQ(windows.FindWindowExA(perSite, nullptr, "Edit", "typed.example"), field);

  dialog->accept();
  EXPECT_EQ(windows.FindWindowA(nullptr, nullptr), nullptr);
  EXPECT_EQ(windows.GetDlgCtrlID(field), 0);
}

TEST_F(InternetOptionsDialogsTest, EveryControlHasTheNameAUserSees) {
  QAccessible::setActive(true);
  inetcpl::PropertiesDialog dialog(host_, decisions_, 2);
  dialog.show();
  dialog.EditButton()->click();
  PerSiteDialog& perSite = *dialog.PerSite();
  const std::pair<QWidget*, QString> controls[] = {
      {dialog.EditButton(), "Edit..."},
      {perSite.Address(), "Address of website:"},
      {perSite.Block(), "Block"},
      {perSite.Allow(), "Allow"},
      {perSite.Sites(), "Managed websites"},
      {perSite.Remove(), "Remove"},
      {perSite.RemoveAll(), "Remove all"},
      {perSite.Ok(), "OK"},
  };
  for (const auto& [control, name] : controls) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Name), name);
  }
  QAccessibleInterface* tabs = QAccessible::queryAccessibleInterface(dialog.Tabs()->tabBar());
  ASSERT_NE(tabs, nullptr);
  std::vector<std::string> tabNames;
  for (int i = 0; i < tabs->childCount(); ++i) {
    if (tabs->child(i)->role() == QAccessible::PageTab) {
      tabNames.push_back(tabs->child(i)->text(QAccessible::Name).toStdString());
    }
  }
  EXPECT_THAT(tabNames, ElementsAre("General", "Security", "Privacy"));
}

}  // namespace
