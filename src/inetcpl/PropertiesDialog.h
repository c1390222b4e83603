#pragma once
// "Internet Properties": the stand-in Internet Options, whose Privacy tab opens the per-site
// privacy settings.

#include <QDialog>
#include <QPointer>

#include <memory>

#include "inetcpl/PerSiteDialog.h"
#include "inetcpl/PublishedControls.h"
#include "inetcpl/SiteDecisions.h"

class QPushButton;
class QTabWidget;

namespace inetcpl {

class PropertiesDialog : public QDialog {
 public:
  // The "&Edit..." button's control identifier.
  static constexpr int kEditButton = 1060;

  // Opens at tab `tab`, counted from 0; the Privacy tab is 2.
  PropertiesDialog(standin::WindowHost& host, SiteDecisions& decisions, int tab);
  ~PropertiesDialog() override;

  QTabWidget* Tabs() const { return tabs_; }
  QPushButton* EditButton() const { return edit_; }
  // The open per-site dialog, or null.
  PerSiteDialog* PerSite() const { return perSite_; }

  void done(int result) override;

 private:
  QWidget* PrivacyPage();
  void OpenPerSite();

  standin::WindowHost& host_;
  SiteDecisions& decisions_;
  QTabWidget* tabs_;
  QPushButton* edit_ = nullptr;
  QPointer<PerSiteDialog> perSite_;
  std::unique_ptr<PublishedControls> published_;
};

}  // namespace inetcpl
