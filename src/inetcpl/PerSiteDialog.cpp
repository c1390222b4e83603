#include "inetcpl/PerSiteDialog.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "platform/Windowing.h"

namespace inetcpl {
namespace {

QString TextOf(Decision decision) {
  return decision == Decision::Block ? "Block" : "Allow";
}

QPushButton* Button(const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

PerSiteDialog::PerSiteDialog(QWidget* owner, standin::WindowHost& host, SiteDecisions& decisions)
    : QDialog(owner), decisions_(decisions) {
  setWindowTitle("Per Site Privacy Actions");
  auto* explanation = new QLabel(
      "You can choose which websites may always or never use cookies, whatever your privacy "
      "settings. Type the address of the website, then click Allow or Block.",
      this);
  explanation->setWordWrap(true);
  auto* addressLabel = new QLabel("Address of &website:", this);
  address_ = new QLineEdit(this);
  addressLabel->setBuddy(address_);
  address_->setAccessibleName("Address of website:");
  block_ = Button("&Block", this);
  allow_ = Button("&Allow", this);
  auto* sitesLabel = new QLabel("Managed websites:", this);
  sites_ = new QTreeWidget(this);
  sites_->setHeaderLabels({"Domain", "Setting"});
  sites_->setRootIsDecorated(false);
  sites_->header()->setStretchLastSection(false);
  sites_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  sites_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  sites_->setAccessibleName("Managed websites");
  sitesLabel->setBuddy(sites_);
  remove_ = Button("&Remove", this);
  removeAll_ = Button("Remove &all", this);
  ok_ = new QPushButton("OK", this);
  ok_->setDefault(true);

  auto* grid = new QGridLayout(this);
  grid->addWidget(explanation, 0, 0, 1, 2);
  grid->addWidget(addressLabel, 1, 0, 1, 2);
  grid->addWidget(address_, 2, 0);
  auto* decide = new QVBoxLayout;
  decide->addWidget(block_);
  decide->addWidget(allow_);
  grid->addLayout(decide, 2, 1);
  grid->addWidget(sitesLabel, 3, 0, 1, 2);
  grid->addWidget(sites_, 4, 0, 2, 1);
  auto* manage = new QVBoxLayout;
  manage->addWidget(remove_);
  manage->addWidget(removeAll_);
  manage->addStretch();
  grid->addLayout(manage, 4, 1);
  grid->addWidget(ok_, 6, 1);

  connect(address_, &QLineEdit::textChanged, this, [this] { UpdateButtons(); });
  connect(block_, &QPushButton::clicked, this, [this] { Decide(Decision::Block); });
  connect(allow_, &QPushButton::clicked, this, [this] { Decide(Decision::Allow); });
  connect(sites_, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
  connect(remove_, &QPushButton::clicked, this, [this] {
    for (const QTreeWidgetItem* row : sites_->selectedItems()) {
      decisions_.Remove(row->text(0).toStdString());
    }
    Reload();
  });
  connect(removeAll_, &QPushButton::clicked, this, [this] {
    decisions_.RemoveAll();
    Reload();
  });
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  Reload();

  published_ = std::make_unique<PublishedControls>(host);
  const standin::WindowHost::Batch together(host);
  // Top-level, as the owner's windows are only its owner, not its parent.
  const HWND dialog = published_->AddDialog(windowTitle(), nullptr);
  if (dialog == nullptr) return;
  published_->AddEdit(address_, dialog, kAddress);
  published_->AddButton(block_, dialog, kBlock);
  published_->AddButton(allow_, dialog, kAllow);
  published_->AddButton(remove_, dialog, kRemove);
  published_->AddButton(removeAll_, dialog, kRemoveAll);
  published_->AddButton(ok_, dialog, IDOK);
}

PerSiteDialog::~PerSiteDialog() = default;

void PerSiteDialog::done(int result) {
  published_.reset();
  QDialog::done(result);
}

void PerSiteDialog::Decide(Decision decision) {
  const auto site = SiteDecisions::SiteOf(address_->text().toStdString());
  if (!site) return;
  decisions_.Set(*site, decision);
  address_->clear();
  Reload();
}

void PerSiteDialog::Reload() {
  sites_->clear();
  for (const SiteDecision& decided : decisions_.All()) {
    new QTreeWidgetItem(sites_, {QString::fromStdString(decided.site), TextOf(decided.decision)});
  }
  UpdateButtons();
}

void PerSiteDialog::UpdateButtons() {
  const bool valid = SiteDecisions::SiteOf(address_->text().toStdString()).has_value();
  block_->setEnabled(valid);
  allow_->setEnabled(valid);
  remove_->setEnabled(!sites_->selectedItems().isEmpty());
  removeAll_->setEnabled(sites_->topLevelItemCount() > 0);
}

}  // namespace inetcpl
