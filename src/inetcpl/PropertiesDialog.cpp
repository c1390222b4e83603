#include "inetcpl/PropertiesDialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/Windowing.h"

namespace inetcpl {
namespace {

constexpr int kPrivacyTab = 2;
constexpr int IDCANCEL = 2;

QWidget* NoticePage(const QString& notice) {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* label = new QLabel(notice, page);
  label->setWordWrap(true);
  layout->addWidget(label);
  layout->addStretch();
  return page;
}

}  // namespace

PropertiesDialog::PropertiesDialog(standin::WindowHost& host, SiteDecisions& decisions, int tab)
    : host_(host), decisions_(decisions) {
  setWindowTitle("Internet Properties");
  tabs_ = new QTabWidget(this);
  tabs_->addTab(NoticePage("Home page and browsing history are not kept by this stand-in."),
                "General");
  tabs_->addTab(NoticePage("Security zones are not kept by this stand-in."), "Security");
  tabs_->addTab(PrivacyPage(), "Privacy");
  tabs_->setCurrentIndex(tab >= 0 && tab < tabs_->count() ? tab : 0);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addWidget(buttons);

  published_ = std::make_unique<PublishedControls>(host_);
  const standin::WindowHost::Batch together(host_);
  const HWND dialog = published_->AddDialog(windowTitle(), nullptr);
  if (dialog == nullptr) return;
  const HWND page = published_->AddDialog(tabs_->tabText(kPrivacyTab), dialog);
  published_->AddButton(edit_, page, kEditButton);
  published_->AddButton(buttons->button(QDialogButtonBox::Ok), dialog, IDOK);
  published_->AddButton(buttons->button(QDialogButtonBox::Cancel), dialog, IDCANCEL);
}

PropertiesDialog::~PropertiesDialog() = default;

QWidget* PropertiesDialog::PrivacyPage() {
  auto* page = new QWidget;
  auto* sites = new QGroupBox("Sites", page);
  auto* explanation = new QLabel(
      "To choose which websites may always or never use cookies, whatever the privacy "
      "settings, click Edit.",
      sites);
  explanation->setWordWrap(true);
  edit_ = new QPushButton("&Edit...", sites);
  edit_->setAutoDefault(false);
  connect(edit_, &QPushButton::clicked, this, [this] { OpenPerSite(); });
  auto* group = new QVBoxLayout(sites);
  group->addWidget(explanation);
  group->addWidget(edit_, 0, Qt::AlignRight);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(sites);
  layout->addStretch();
  return page;
}

void PropertiesDialog::OpenPerSite() {
  // A second click, or a second program asking, finds the one dialog already open.
  if (perSite_ == nullptr) {
    perSite_ = new PerSiteDialog(this, host_, decisions_);
    perSite_->setAttribute(Qt::WA_DeleteOnClose);
    perSite_->setWindowModality(Qt::WindowModal);
  }
  perSite_->show();
  perSite_->raise();
  perSite_->activateWindow();
}

void PropertiesDialog::done(int result) {
  if (perSite_ != nullptr) perSite_->close();
  published_.reset();
  QDialog::done(result);
}

}  // namespace inetcpl
