#include "app/main_window.h"

#include "app/connection_page.h"
#include "app/connection_status_box.h"
#include "app/logo_band.h"
#include "app/side_tab_widget.h"
#include "ui/help.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

// The resources are linked from a static library; nothing else would pull them in.
static void initResources() {
  Q_INIT_RESOURCE(resources);
}

namespace quorvane {
namespace {

const QString kTabHelp = QStringLiteral("Select TAB-window.");
const QString kSendHelp = QStringLiteral(
    "All the parameters of the PC-User-Interface are transferred to the sensor or to a "
    "selectable file. \nThe target of the parameter transfer is determined by the select button "
    "(RAM, EEPROM, FILE). \n\nShortcut Key: F9. ");
const QString kGetHelp = QStringLiteral(
    "Sensor or file parameters are transferred to the PC-User-Interface. \nThe source of the "
    "parameter transfer is determined by the select button (RAM, EEPROM, FILE). \n\nShortcut "
    "Key: F10. ");
const QString kMemoryHelp =
    QStringLiteral("Select source respectively the target for the parameter transfer.");
const QString kParaSetHelp = QStringLiteral("Select parameter set which should be transfered.");
const QString kGoHelp = QStringLiteral(
    "Start the continuous measurement: the sensor's values are read and shown in the "
    "measurement panel until STOP is pressed. \n\nShortcut Key: F11. ");
const QString kStopHelp = QStringLiteral(
    "Stop the continuous measurement, a recording or a scope scan. \n\nShortcut Key: F12. ");

// The maker's lines of the title band.
const QString kMakerName = QStringLiteral("QUORVANE Sensorik GmbH");
const QString kMakerPhone = QStringLiteral("Tel. +49 (0)000 000000-0");
const QString kMakerWeb = QStringLiteral("www.quorvane.example");

const QColor kBandColour(0x00, 0x80, 0xFF);

// Width of the tab side at the default window size; the child panels get the rest.
constexpr int kTabSideWidth = 620;

QWidget *scrollingPage(QWidget *inner, const QString &name) {
  auto *scroll = new QScrollArea;
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidget(inner);
  scroll->setAccessibleName(name);
  return scroll;
}

QPushButton *actionButton(const QString &label, const QKeySequence &key, QWidget *parent) {
  auto *button = new QPushButton(label, parent);
  button->setAccessibleName(label);
  button->setToolTip(QStringLiteral("%1 (%2)").arg(label, key.toString()));
  // The button's own shortcut: a dimmed button does not take it, so the busy lock holds
  // for the keys too.
  button->setShortcut(key);
  button->setMinimumHeight(30);
  return button;
}

QRadioButton *radio(const QString &label, QWidget *parent) {
  auto *button = new QRadioButton(label, parent);
  button->setAccessibleName(label);
  return button;
}

} // namespace

MainWindow::MainWindow(Dialogs &dialogs, QWidget *parent) : QMainWindow(parent), dialogs_(dialogs) {
  initResources();
  setWindowTitle(kToolTitle);
  setWindowIcon(QIcon(QStringLiteral(":/quorvane-ana-scope.png")));
  setAccessibleName(kToolTitle);

  auto *central = new QWidget(this);
  auto *column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  band_ = new LogoBand(central);
  column->addWidget(band_);

  splitter_ = new QSplitter(Qt::Horizontal, central);
  splitter_->setChildrenCollapsible(false);
  auto *left = new QWidget(splitter_);
  auto *leftColumn = new QVBoxLayout(left);
  leftColumn->setContentsMargins(4, 4, 2, 4);
  buildTabs();
  leftColumn->addWidget(tabs_, 1);
  leftColumn->addWidget(buildTransferControls());
  splitter_->addWidget(left);
  buildChildArea();
  splitter_->addWidget(childStack_);
  // Resizing shares the change between both sides, so the small default size still
  // leaves the child panels room.
  splitter_->setStretchFactor(0, 1);
  splitter_->setStretchFactor(1, 1);
  column->addWidget(splitter_, 1);
  setCentralWidget(central);

  buildTopLevelPanels();
  installMainHelp();

  const QSize wanted(1280, 800);
  const QRect screenArea = screen() ? screen()->availableGeometry() : QRect(0, 0, 1280, 800);
  resize(wanted.boundedTo(screenArea.size() - QSize(40, 60))
             .expandedTo(QSize(kDefaultWidth, kDefaultHeight)));
  splitter_->setSizes({kTabSideWidth, width() - kTabSideWidth});
}

MainWindow::~MainWindow() = default;

void MainWindow::buildTabs() {
  tabs_ = new SideTabWidget;
  tabs_->setAccessibleName(QStringLiteral("TAB"));
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
    // Only the operator's own change is the tab callback's business.
    if (index >= 0 && index < static_cast<int>(pages_.size()) && !programSwitch_)
      Q_EMIT pageChanged(pages_[static_cast<std::size_t>(index)].id);
  });
}

void MainWindow::addPage(const PageDeclaration &page) {
  if (!page.widget || tabIndex(page.id) >= 0) return;
  // Adding a tab may move the current one: not the operator's change.
  const QScopedValueRollback<bool> bySwitch(programSwitch_, true);
  auto *inner = new QWidget;
  auto *layout = new QVBoxLayout(inner);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(page.widget);
  const auto at = std::find_if(pages_.begin(), pages_.end(),
                               [&](const PagePlace &p) { return p.place > page.place; });
  const int index = static_cast<int>(at - pages_.begin());
  pages_.insert(at, {page.id, page.place, inner});
  tabs_->insertTab(index, scrollingPage(inner, page.title), page.title);
  if (page.hidden) tabs_->setTabVisible(index, false);
}

QWidget *MainWindow::buildTransferControls() {
  auto *box = new QWidget;
  auto *grid = new QGridLayout(box);
  grid->setContentsMargins(0, 4, 0, 0);

  memoryGroup_ = new QButtonGroup(box);
  const std::array<QString, 3> memoryLabels = {QStringLiteral("RAM"), QStringLiteral("EEPROM"),
                                               QStringLiteral("FILE")};
  auto *memoryRow = new QHBoxLayout;
  for (int i = 0; i < 3; ++i) {
    memory_[i] = radio(memoryLabels[i], box);
    memoryGroup_->addButton(memory_[i], i + 1);
    memoryRow->addWidget(memory_[i]);
  }
  memory_[0]->setChecked(true);
  paraSetGroup_ = new QButtonGroup(box);
  auto *setRow = new QHBoxLayout;
  for (int i = 0; i < 2; ++i) {
    paraSet_[i] = radio(QStringLiteral("ParaSet%1").arg(i), box);
    paraSetGroup_->addButton(paraSet_[i], i);
    setRow->addWidget(paraSet_[i]);
  }
  paraSet_[0]->setChecked(true);
  memoryRow->addStretch(1);
  setRow->addStretch(1);
  grid->addLayout(memoryRow, 0, 0, 1, 2);
  grid->addLayout(setRow, 0, 2, 1, 2);

  send_ = actionButton(QStringLiteral("SEND"), QKeySequence(Qt::Key_F9), box);
  get_ = actionButton(QStringLiteral("GET"), QKeySequence(Qt::Key_F10), box);
  go_ = actionButton(QStringLiteral("GO"), QKeySequence(Qt::Key_F11), box);
  stop_ = actionButton(QStringLiteral("STOP"), QKeySequence(Qt::Key_F12), box);
  grid->addWidget(send_, 1, 0);
  grid->addWidget(get_, 1, 1);
  grid->addWidget(go_, 1, 2);
  grid->addWidget(stop_, 1, 3);

  addBusyControl(send_, BusyGroup::MainTransfer);
  addBusyControl(get_, BusyGroup::MainTransfer);
  for (auto *button : memory_)
    addBusyControl(button, BusyGroup::MainTransfer);
  addBusyControl(go_, BusyGroup::Go);
  return box;
}

void MainWindow::buildChildArea() {
  childStack_ = new QStackedWidget;
  childStack_->setAccessibleName(QStringLiteral("CHILD PANEL"));
  // It joins the measurement panel's place when that panel is added.
  statusBox_ = new ConnectionStatusBox(dialogs_, childStack_);
  statusBox_->hide();
}

void MainWindow::addChildPanel(const ChildPanelDeclaration &panel) {
  if (!panel.widget || childIndex(panel.id) >= 0) return;
  auto *slot = new QWidget;
  auto *layout = new QVBoxLayout(slot);
  layout->setContentsMargins(4, 4, 4, 4);
  if (panel.id == ChildPanel::Measurement) {
    layout->addWidget(statusBox_);
    statusBox_->show();
  }
  layout->addWidget(panel.widget, 1);
  childPanels_.push_back({panel.id, panel.widget});
  childStack_->addWidget(scrollingPage(slot, panel.name));
  if (panel.id == currentChild_) showChildPanel(currentChild_);
}

void MainWindow::buildTopLevelPanels() {
  const std::array<QString, 3> titles = {QStringLiteral("COLOR ROW"), QStringLiteral("GROUP"),
                                         QStringLiteral("PASSWORD")};
  for (int i = 0; i < 3; ++i) {
    auto *panel = new QWidget(this, Qt::Window);
    panel->setWindowTitle(titles[i]);
    panel->setAccessibleName(titles[i]);
    new QVBoxLayout(panel);
    panel->hide();
    topLevel_[i] = panel;
  }
}

void MainWindow::installMainHelp() {
  installHelp({{tabs_, kTabHelp},
               {send_, kSendHelp},
               {get_, kGetHelp},
               {memory_[0], kMemoryHelp},
               {memory_[1], kMemoryHelp},
               {memory_[2], kMemoryHelp},
               {paraSet_[0], kParaSetHelp},
               {paraSet_[1], kParaSetHelp},
               {go_, kGoHelp},
               {stop_, kStopHelp}},
              dialogs_);
}

// --- Shell ---

void MainWindow::setBusy(bool keepMainButtons, bool dimmed) {
  for (const auto &[control, group] : busy_) {
    if (!control) continue;
    if (const auto state = busyDimmedState(group, keepMainButtons, dimmed))
      control->setEnabled(!*state);
  }
}

int MainWindow::childIndex(ChildPanel panel) const {
  const auto at = std::find_if(childPanels_.begin(), childPanels_.end(),
                               [&](const ChildPlace &c) { return c.id == panel; });
  return at == childPanels_.end() ? -1 : static_cast<int>(at - childPanels_.begin());
}

void MainWindow::showChildPanel(ChildPanel panel) {
  int index = childIndex(panel);
  if (index < 0) { // anything unknown shows the measurement panel
    panel = ChildPanel::Measurement;
    index = childIndex(panel);
  }
  if (index >= 0) childStack_->setCurrentIndex(index);
  currentChild_ = panel;
}

int MainWindow::tabIndex(MainPage page) const {
  const auto at =
      std::find_if(pages_.begin(), pages_.end(), [&](const PagePlace &p) { return p.id == page; });
  return at == pages_.end() ? -1 : static_cast<int>(at - pages_.begin());
}

QWidget *MainWindow::pageContainer(MainPage page) const {
  const int index = tabIndex(page);
  return index < 0 ? nullptr : pages_[static_cast<std::size_t>(index)].container;
}

void MainWindow::showPage(MainPage page) {
  const int index = tabIndex(page);
  if (index < 0) return;
  const QScopedValueRollback<bool> bySwitch(programSwitch_, true);
  tabs_->setCurrentIndex(index);
}

MainPage MainWindow::currentPage() const {
  const int index = tabs_->currentIndex();
  return index < 0 ? MainPage{} : pages_[static_cast<std::size_t>(index)].id;
}

void MainWindow::appendConnectionLog(const QString &text) {
  if (connectionPage_) connectionPage_->appendLog(text);
}

void MainWindow::setConnectionStatus(const QString &text) {
  statusBox_->setStatus(text);
}

// --- places ---

void MainWindow::setPageVisible(MainPage page, bool visible) {
  const int index = tabIndex(page);
  if (index >= 0) tabs_->setTabVisible(index, visible);
}

bool MainWindow::isPageVisible(MainPage page) const {
  const int index = tabIndex(page);
  return index >= 0 && tabs_->isTabVisible(index);
}

QWidget *MainWindow::childPanel(ChildPanel which) const {
  const int index = childIndex(which);
  return index < 0 ? nullptr : childPanels_[static_cast<std::size_t>(index)].panel;
}

QWidget *MainWindow::topLevelPanel(TopPanel which) const {
  switch (which) {
  case TopPanel::BigColourNumber:
    return topLevel_[0];
  case TopPanel::BigGroup:
    return topLevel_[1];
  case TopPanel::Password:
    return topLevel_[2];
  }
  return nullptr;
}

void MainWindow::setTopLevelPanel(TopPanel which, QWidget *panel) {
  const int index = which == TopPanel::BigColourNumber ? 0 : which == TopPanel::BigGroup ? 1 : 2;
  if (!panel || topLevel_[index] == panel) return;
  delete topLevel_[index];
  topLevel_[index] = panel;
}

void MainWindow::setConnectionPage(ConnectionPage *page) {
  connectionPage_ = page;
  if (!page) return;
  addBusyControl(page->tryToConnectButton(), BusyGroup::ConnectionControls);
  addBusyControl(page->disconnectButton(), BusyGroup::ConnectionControls);
  addBusyControl(page->baudRateSelector(), BusyGroup::ConnectionControls);
  addBusyControl(page->changeBaudrateButton(), BusyGroup::VerifiedLink);
  addBusyControl(page->hardwareInfoButton(), BusyGroup::VerifiedLink);
}

void MainWindow::addBusyControl(QWidget *control, BusyGroup group) {
  if (control) busy_.emplace_back(control, group);
}

QRadioButton *MainWindow::memoryButton(ParameterMemory memory) const {
  const int index = static_cast<int>(memory) - 1;
  return index >= 0 && index < 3 ? memory_[index] : nullptr;
}

QRadioButton *MainWindow::paraSetButton(int set) const {
  return set == 0 || set == 1 ? paraSet_[set] : nullptr;
}

void MainWindow::setOfflineTransferEnabled() {
  send_->setEnabled(true);
  get_->setEnabled(true);
}

void MainWindow::selectMemoryButton(ParameterMemory memory) {
  if (auto *button = memoryButton(memory)) button->setChecked(true);
}

// --- title band ---

QLabel *MainWindow::showInfoText(const QString &text, bool withTooltip, int left, int top,
                                 int pointSize, const QColor &background,
                                 const QColor &textColour) {
  auto *label = new QLabel(text, band_);
  QFont font = label->font();
  // The sizes were chosen for a pixel-based dialog font; pixels keep the lines apart.
  font.setPixelSize(pointSize);
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, textColour);
  palette.setColor(QPalette::Window, background);
  label->setPalette(palette);
  label->setAutoFillBackground(background.alpha() != 0);
  label->setAccessibleName(text);
  if (withTooltip) label->setToolTip(kToolFullVersion);
  label->move(left, top);
  label->adjustSize();
  label->show();
  return label;
}

void MainWindow::showLogo() {
  const QColor white(Qt::white);
  const QColor transparent(Qt::transparent);
  band_->setBandColour(kBandColour);
  if (!logo_) {
    logo_ = new QLabel(band_);
    logo_->setAccessibleName(QStringLiteral("LOGO"));
    logo_->setPixmap(QPixmap(QStringLiteral(":/logoKL.bmp")));
    logo_->move(325, 6);
    logo_->adjustSize();
    logo_->lower();
    showInfoText(kToolTitle, true, 323, 29, 19, transparent, white);
    showInfoText(kMakerName, false, 15, 6, 11, transparent, white);
    showInfoText(kMakerPhone, false, 15, 22, 11, transparent, white);
    showInfoText(kMakerWeb, false, 15, 36, 11, transparent, white);
  }
  logo_->show();
}

void MainWindow::restoreDefaultGeometry() {
  if (isMaximized() || isFullScreen() || isMinimized()) showNormal();
  resize(kDefaultWidth, kDefaultHeight);
  const QScreen *where = screen();
  if (!where) return;
  const QRect area = where->availableGeometry();
  const QSize frameExtra = frameGeometry().size() - geometry().size();
  const QSize outer = QSize(kDefaultWidth, kDefaultHeight) + frameExtra;
  move(area.x() + (area.width() - outer.width()) / 2,
       area.y() + (area.height() - outer.height()) / 2);
}

void MainWindow::closeEvent(QCloseEvent *event) {
  Q_EMIT panelEvent(MainPanelEvent::Close);
  event->accept();
}

void MainWindow::mouseDoubleClickEvent(QMouseEvent *event) {
  if (event->button() == Qt::RightButton) {
    Q_EMIT panelEvent(MainPanelEvent::RightDoubleClick);
    event->accept();
    return;
  }
  QMainWindow::mouseDoubleClickEvent(event);
}

} // namespace quorvane
