#include <QFont>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>

#include "app/MainUnit.h"
#include "app/ToolbarImages.h"

using namespace toolkit;

TMainForm* MainForm = nullptr;

namespace {

constexpr int kClientWidth = 501;
constexpr int kClientHeight = 444;
constexpr const char* kCaption = "Veltrin : veltrin.example.org";

const QStringList kCleanUps{
    "Clear Internet Explorer URL History",   "Clear Internet Explorer Cache Pages",
    "Clear Widows Media Player URL History", "Clear Start / Run Menu Hustory",
    "Clear Start / Recent Documents",        "Empty Recycle Bin",
};

void Name(QWidget* control, const QString& name) {
  control->setAccessibleName(name);
}

}  // namespace

TMainForm::TMainForm() {
  BuildLayout();
  OnCreate = [this](TObject* sender) { FormCreate(sender); };
  OnActivate = [this](TObject* sender) { FormActivate(sender); };
  ToolButton1->OnClick = [this](TObject* sender) { btnCheckClick(sender); };
  ToolButton2->OnClick = [this](TObject* sender) { btnCheckClick(sender); };
  ToolButton3->OnClick = [this](TObject* sender) { btnRefreshClick(sender); };
  ToolButton4->OnClick = [this](TObject* sender) { btnPrivacyClick(sender); };
  ToolButton5->OnClick = [this](TObject* sender) { btnDeleteClick(sender); };
  lvCookies->OnColumnClick = [this](TObject* sender, TListColumn* column) {
    lvCookiesColumnClick(sender, column);
  };
  lvCookies->OnCompare = [this](TObject* sender, TListItem* a, TListItem* b, int extra,
                                int& compare) { lvCookiesCompare(sender, a, b, extra, compare); };
  lvCookies->OnBeginSort = [this] { sortKeys_.BeginSort(lvCookies->Items->Count()); };
  lvCookies->OnEndSort = [this] { sortKeys_.EndSort(); };
  ToolButton6->OnClick = [this](TObject* sender) { btnCloseClick(sender); };
  ToolButton12->OnClick = [this](TObject* sender) { btnCloseClick(sender); };
  ToolButton7->OnClick = [this](TObject* sender) { ToolButton7Click(sender); };
  ToolButton8->OnClick = [this](TObject* sender) { ToolButton8Click(sender); };
  ToolButton11->OnClick = [this](TObject* sender) { ToolButton11Click(sender); };
  Timer->OnTimer = [this](TObject* sender) { TimerTimer(sender); };
}

TMainForm::~TMainForm() = default;

void TMainForm::BuildLayout() {
  setWindowTitle(kCaption);
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                 Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setWindowIcon(WindowIcon());
  setFixedSize(kClientWidth, kClientHeight);
  QFont font("MS Sans Serif");
  font.setPixelSize(11);
  setFont(font);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }

  Panel1 = new TPanel(this, TPanel::Bevel::None);
  Panel1->setGeometry(0, 0, kClientWidth, 50);
  QPalette white = Panel1->palette();
  white.setColor(QPalette::Window, white.color(QPalette::Base));
  Panel1->setPalette(white);
  Label1 = new TLabel(Panel1, "Choose Sections To Erase");
  Label1->move(14, 9);
  QFont bold = font;
  bold.setBold(true);
  Label1->setFont(bold);
  Label1->adjustSize();
  Label2 = new TLabel(
      Panel1,
      "Place a check next to the sections that you want to delete.  Then press the \"Delete\" "
      "button");
  Label2->move(32, 24);
  Label2->adjustSize();

  Bevel1 = new TBevel(this);
  Bevel1->setGeometry(0, 50, kClientWidth, 2);
  ProgressBar = new TProgressBar(this);
  ProgressBar->setGeometry(0, 52, kClientWidth, 13);
  Name(ProgressBar, "Progress");

  PageControl1 = new TPageControl(this);
  PageControl1->setGeometry(0, 65, kClientWidth, kClientHeight - 65);
  TabSheet1 = new TTabSheet;
  TabSheet2 = new TTabSheet;
  PageControl1->addTab(TabSheet1, "Cookies Eraser");
  PageControl1->addTab(TabSheet2, "Programs History");
  // Lies under the page control and is never seen.
  Bevel2 = new TBevel(this);
  Bevel2->setGeometry(98, 336, 512, 2);
  Bevel2->lower();

  ImageList1 = std::make_unique<TImageList>(ToolbarImages());
  const TImageList& images = *ImageList1;

  ToolBar1 = new TToolBar(TabSheet1);
  ToolBar1->setGeometry(0, 0, 493, 56);
  ToolButton1 = ToolBar1->AddButton("Check All", images.Image(0), 1);
  ToolButton2 = ToolBar1->AddButton("UnCheck All", images.Image(1));
  ToolButton3 = ToolBar1->AddButton("Refresh", images.Image(2));
  ToolButton4 = ToolBar1->AddButton("Privacy", images.Image(3));
  ToolButton5 = ToolBar1->AddButton("Delete", images.Image(4));
  ToolButton9 = ToolBar1->AddSeparator();
  ToolButton6 = ToolBar1->AddButton("Close", images.Image(5));

  lvCookies = new TListView(TabSheet1);
  lvCookies->setGeometry(0, 56, 493, 259);
  lvCookies->AddColumn("Address", 125, Qt::AlignLeft);
  lvCookies->AddColumn("Hits", 45, Qt::AlignHCenter);
  lvCookies->AddColumn("Modified", 80, Qt::AlignLeft);
  lvCookies->AddColumn("Expires", 80, Qt::AlignLeft);
  lvCookies->AddColumn("Full Address", 150, Qt::AlignLeft);
  Name(lvCookies, "Cookies");

  Panel3 = new TPanel(TabSheet1, TPanel::Bevel::Raised);
  Panel3->setGeometry(1, 319, 137, 30);
  Label3 = new TLabel(Panel3, "Total Cookies:");
  Label3->move(6, 8);
  Label3->adjustSize();
  edCookieCount = new TEdit("0", Panel3);
  edCookieCount->setGeometry(81, 5, 50, 21);
  edCookieCount->setReadOnly(true);
  edCookieCount->setFocusPolicy(Qt::ClickFocus);  // skipped by the Tab key
  Label3->setBuddy(edCookieCount);
  Name(edCookieCount, "Total Cookies:");

  auto* toolBar2 = new TToolBar(TabSheet2);
  toolBar2->setGeometry(0, 0, 493, 56);
  ToolButton7 = toolBar2->AddButton("Check All", images.Image(0));
  ToolButton8 = toolBar2->AddButton("UnCheck All", images.Image(1));
  ToolButton11 = toolBar2->AddButton("Delete", images.Image(4));
  ToolButton10 = toolBar2->AddSeparator();
  ToolButton12 = toolBar2->AddButton("Close", images.Image(5));

  CheckListBox1 = new TCheckListBox(TabSheet2, kCleanUps);
  CheckListBox1->setGeometry(0, 56, 493, 295);
  Name(CheckListBox1, "Clean-ups");

  QWidget* const tabOrder[] = {PageControl1, lvCookies,    ToolButton1,  ToolButton2, ToolButton3,
                               ToolButton4,  ToolButton5,  ToolButton6,  ToolButton7, ToolButton8,
                               ToolButton11, ToolButton12, CheckListBox1};
  for (std::size_t i = 1; i < std::size(tabOrder); ++i) {
    setTabOrder(tabOrder[i - 1], tabOrder[i]);
  }

  Timer = std::make_unique<TTimer>(this, 1000);
  lvCookies->setFocus();
}

void TMainForm::btnCloseClick(TObject* /*Sender*/) {
  Close();
}
