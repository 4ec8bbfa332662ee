#include "params/teach_table_page.h"

#include "params/group_hold_page.h"
#include "ui/dialogs.h"
#include "ui/help.h"
#include "ui/value_controls.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>

namespace quorvane {
namespace {

constexpr int kRows = 31;
constexpr int kValueColumns = 5;

const QString kHelpReset = QStringLiteral("Reset the TEACH TABLE. \nAll cells are set to 1.");
const QString kHelpNo =
    QStringLiteral("Select the current number of a row in the TEACH TABLE for TEACH DATA TO.");
const QString kHelpInc = QStringLiteral("Auto increment of Edit Field No.:");

} // namespace

TeachTablePage::TeachTablePage(Dialogs &dialogs, QWidget *parent)
    : QWidget(parent), dialogs_(dialogs) {
  setObjectName(QStringLiteral("teachTablePage"));

  grid_ = new QTableWidget;
  setUpValueTable(grid_, kRows, kValueColumns + 1,
                  {QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("CTO"),
                   QStringLiteral("INT"), QStringLiteral("ITO"), QString()},
                  numberLabels(0, kRows));
  grid_->setAccessibleName(QStringLiteral("TEACH TABLE"));
  // The context menu works on one rectangle of cells.
  grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
  auto *delegate = new UInt16Delegate(this);
  for (int c = 0; c < kValueColumns; ++c) {
    grid_->setItemDelegateForColumn(c, delegate);
    grid_->horizontalHeader()->setSectionResizeMode(c, QHeaderView::Stretch);
  }
  grid_->horizontalHeader()->setSectionResizeMode(kValueColumns, QHeaderView::Fixed);
  grid_->setColumnWidth(kValueColumns, 24);
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kValueColumns; ++c)
      setCell(r, c, 1);
  connect(delegate, &UInt16Delegate::valueEdited, this, &TeachTablePage::cellEdited);

  rowNumber_ = new QSpinBox;
  rowNumber_->setRange(0, kRows - 1);
  rowNumber_->setKeyboardTracking(false);
  rowNumber_->setAccessibleName(QStringLiteral("No."));
  rowNumberCaption_ = new QLabel(QStringLiteral("No."));
  rowNumberCaption_->setBuddy(rowNumber_);
  connect(rowNumber_, &QSpinBox::valueChanged, this, [this](int row) {
    if (!settingRow_) Q_EMIT rowNumberCommitted(row);
  });

  // A lone radio button that the operator switches on and off.
  autoIncrement_ = new QRadioButton(QStringLiteral("INC"));
  autoIncrement_->setAutoExclusive(false);
  autoIncrement_->setAccessibleName(QStringLiteral("INC"));
  connect(autoIncrement_, &QRadioButton::toggled, this, &TeachTablePage::autoIncrementToggled);

  reset_ = new QPushButton(QStringLiteral("RESET"));
  reset_->setAccessibleName(QStringLiteral("RESET"));
  connect(reset_, &QPushButton::clicked, this, [this] {
    if (dialogs_.confirm(kResetConfirmTitle, kResetConfirmText)) Q_EMIT resetConfirmed();
  });

  auto *layout = new QGridLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(grid_, 0, 0, 1, 5);
  layout->addWidget(rowNumberCaption_, 1, 0);
  layout->addWidget(rowNumber_, 1, 1);
  layout->addWidget(autoIncrement_, 1, 2);
  layout->addWidget(reset_, 1, 4);
  // The teach buttons get a line of their own so the page fits its pane without scrolling.
  teachControls_ = new QHBoxLayout;
  layout->addLayout(teachControls_, 2, 0, 1, 5);
  layout->setRowStretch(0, 1);
  layout->setColumnStretch(3, 1);

  installHelp({{rowNumber_, kHelpNo}, {autoIncrement_, kHelpInc}, {reset_, kHelpReset}}, dialogs);
}

TeachTablePage::~TeachTablePage() {
  // An editor still open commits when the grid goes away; this page must not react then.
  for (QObject *child : children())
    child->disconnect(this);
  rowNumber_->disconnect(this);
}

std::uint16_t TeachTablePage::cell(int row, int column) const {
  return cellValue(grid_, row, column);
}

void TeachTablePage::setCell(int row, int column, std::uint16_t value) {
  setCellValue(grid_, row, column, value);
}

void TeachTablePage::setRowColour(int row, const QColor &colour) {
  setCellBackground(grid_, row, kValueColumns, colour);
}

bool TeachTablePage::cellEditable(int row, int column) const {
  const QTableWidgetItem *item = grid_->item(row, column);
  return item && (item->flags() & Qt::ItemIsEditable);
}

void TeachTablePage::setValueColumnEditable(int column, bool editable) {
  if (column < 0 || column >= kValueColumns) return;
  for (int r = 0; r < kRows; ++r) {
    if (QTableWidgetItem *item = grid_->item(r, column))
      item->setFlags(editable ? item->flags() | Qt::ItemIsEditable
                              : item->flags() & ~Qt::ItemIsEditable);
  }
}

void TeachTablePage::addTeachControl(QWidget *control) {
  teachControls_->addWidget(control);
}

void TeachTablePage::addAssistantControl(QWidget *control) {
  assistants_ << control;
  control->setEnabled(assistantsEnabled_);
  teachControls_->addWidget(control);
}

void TeachTablePage::setAssistantsEnabled(bool enabled) {
  assistantsEnabled_ = enabled;
  for (QWidget *w : assistants_)
    w->setEnabled(enabled);
}

void TeachTablePage::setColumnHeadings(const QStringList &headings) {
  for (int c = 0; c < kValueColumns; ++c) {
    QTableWidgetItem *item = grid_->horizontalHeaderItem(c);
    if (!item) {
      item = new QTableWidgetItem;
      grid_->setHorizontalHeaderItem(c, item);
    }
    item->setText(c < headings.size() ? headings[c] : QString());
  }
}

QStringList TeachTablePage::columnHeadings() const {
  QStringList headings;
  for (int c = 0; c < kValueColumns; ++c) {
    const QTableWidgetItem *item = grid_->horizontalHeaderItem(c);
    headings << (item ? item->text() : QString());
  }
  return headings;
}

int TeachTablePage::currentRow() const {
  return rowNumber_->value();
}

void TeachTablePage::showRowNumber(int row) {
  settingRow_ = true;
  rowNumber_->setValue(row);
  settingRow_ = false;
}

void TeachTablePage::commitTyping() {
  rowNumber_->interpretText();
}

void TeachTablePage::showAutoIncrement(bool on) {
  autoIncrement_->setChecked(on);
}

void TeachTablePage::setGridMenu(QMenu *menu) {
  grid_->setContextMenuPolicy(Qt::CustomContextMenu);
  const auto popupAt = [this, menu](const QPoint &viewportPosition) {
    menu->popup(grid_->viewport()->mapToGlobal(viewportPosition));
  };
  connect(grid_, &QWidget::customContextMenuRequested, menu, popupAt);
  auto *keyboard = new QAction(grid_);
  keyboard->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10));
  keyboard->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  grid_->addAction(keyboard);
  connect(keyboard, &QAction::triggered, menu, [this, popupAt] {
    const QModelIndex current = grid_->currentIndex();
    popupAt(current.isValid() ? grid_->visualRect(current).center() : QPoint(0, 0));
  });
}

QRect TeachTablePage::selectedCells() const {
  const QList<QTableWidgetSelectionRange> ranges = grid_->selectedRanges();
  if (ranges.isEmpty()) return {};
  const QTableWidgetSelectionRange &r = ranges.first();
  return QRect(r.leftColumn(), r.topRow(), r.columnCount(), r.rowCount());
}

} // namespace quorvane
