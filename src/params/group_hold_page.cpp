#include "params/group_hold_page.h"

#include "params/help_texts.h"
#include "ui/dialogs.h"
#include "ui/help.h"
#include "ui/value_controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

namespace quorvane {
namespace {

constexpr int kRows = 31;
constexpr int kHoldLines = 32; // HOLD FAIL, then rows 0..30
constexpr std::uint16_t kDefaultHold = 10;
constexpr std::uint16_t kDefaultResetHold = kDefaultHold;

const QString kHelpGroupReset = QStringLiteral("Reset the GROUP TABLE. \nAll cells are set to 0.");
const QString kHelpHoldReset =
    QStringLiteral("Reset the HOLD TABLE. \nAll cells are set the value \nin the Edit Box.");

QTableWidget *makeTable(int rows, const QString &heading, const QStringList &rowLabels,
                        const QString &name, QObject *owner) {
  auto *table = new QTableWidget;
  setUpValueTable(table, rows, 2, {heading, QString()}, rowLabels);
  table->setAccessibleName(name);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
  table->setColumnWidth(1, 24);
  auto *delegate = new UInt16Delegate(owner);
  table->setItemDelegateForColumn(0, delegate);
  return table;
}

} // namespace

GroupHoldPage::GroupHoldPage(Dialogs &dialogs, QWidget *parent)
    : QWidget(parent), dialogs_(dialogs) {
  setObjectName(QStringLiteral("groupHoldPage"));

  colorGroup_ = new QCheckBox(QStringLiteral("COLOR GROUP"));
  colorGroup_->setAccessibleName(QStringLiteral("COLOR GROUP"));
  connect(colorGroup_, &QCheckBox::clicked, this, [this](bool on) {
    colorGroupValue_ = on ? 1 : 0; // the operator's switch replaces the value read
    Q_EMIT colorGroupCommitted();
  });

  groups_ = makeTable(kRows, QStringLiteral("GROUP"), numberLabels(0, kRows),
                      QStringLiteral("GROUP TABLE"), this);
  QStringList holdLabels{QStringLiteral("FAIL")};
  holdLabels << numberLabels(0, kRows);
  holds_ =
      makeTable(kHoldLines, QStringLiteral("HOLD"), holdLabels, QStringLiteral("HOLD TABLE"), this);
  for (int line = 0; line < kHoldLines; ++line)
    setCellValue(holds_, line, 0, kDefaultHold);
  // The hold table's first line is HOLD FAIL: it has no row colour.
  setCellBackground(holds_, 0, 1, palette().color(QPalette::Window));
  connect(static_cast<UInt16Delegate *>(groups_->itemDelegateForColumn(0)),
          &UInt16Delegate::valueEdited, this, [this](int row) { Q_EMIT groupEdited(row); });
  connect(static_cast<UInt16Delegate *>(holds_->itemDelegateForColumn(0)),
          &UInt16Delegate::valueEdited, this, [this](int line) { Q_EMIT holdEdited(line); });

  groupReset_ = new QPushButton(QStringLiteral("RESET"));
  groupReset_->setAccessibleName(QStringLiteral("RESET"));
  connect(groupReset_, &QPushButton::clicked, this, &GroupHoldPage::onGroupReset);
  holdReset_ = new QPushButton(QStringLiteral("RESET"));
  holdReset_->setAccessibleName(QStringLiteral("RESET"));
  connect(holdReset_, &QPushButton::clicked, this, &GroupHoldPage::onHoldReset);
  resetHoldValue_ = new QSpinBox;
  resetHoldValue_->setRange(0, 65535);
  resetHoldValue_->setValue(kDefaultResetHold);
  resetHoldValue_->setAccessibleName(QStringLiteral("RESET VALUE"));
  auto *resetHoldCaption = new QLabel(QStringLiteral("RESET VALUE"));
  resetHoldCaption->setBuddy(resetHoldValue_);

  auto *grid = new QGridLayout(this);
  grid->setContentsMargins(6, 6, 6, 6);
  grid->addWidget(colorGroup_, 0, 0, 1, 2);
  grid->addWidget(groups_, 1, 0);
  grid->addWidget(holds_, 1, 1);
  grid->addWidget(groupReset_, 2, 0);
  auto *holdControls = new QGridLayout;
  holdControls->addWidget(resetHoldCaption, 0, 0);
  holdControls->addWidget(resetHoldValue_, 0, 1);
  holdControls->addWidget(holdReset_, 1, 0, 1, 2);
  grid->addLayout(holdControls, 2, 1);
  grid->setRowStretch(1, 1);

  installHelp({{colorGroup_, kHelpColorGroup},
               {holds_, kHelpHold},
               {groupReset_, kHelpGroupReset},
               {holdReset_, kHelpHoldReset},
               {resetHoldValue_, kHelpResetHold}},
              dialogs);
}

GroupHoldPage::~GroupHoldPage() {
  // An editor still open commits when the tables go away; this page must not react then.
  for (QObject *child : children())
    child->disconnect(this);
}

std::uint16_t GroupHoldPage::colorGroup() const {
  const bool on = colorGroup_->isChecked();
  if (on == (colorGroupValue_ != 0)) return colorGroupValue_;
  return on ? 1 : 0; // switched by the program (a rule)
}

void GroupHoldPage::setColorGroup(std::uint16_t value) {
  colorGroupValue_ = value;
  colorGroup_->setChecked(value != 0);
}

std::uint16_t GroupHoldPage::holdFail() const {
  return cellValue(holds_, 0, 0);
}

void GroupHoldPage::setHoldFail(std::uint16_t value) {
  setCellValue(holds_, 0, 0, value);
}

std::uint16_t GroupHoldPage::group(int row) const {
  return cellValue(groups_, row, 0);
}

void GroupHoldPage::setGroup(int row, std::uint16_t value) {
  setCellValue(groups_, row, 0, value);
}

std::uint16_t GroupHoldPage::hold(int row) const {
  return cellValue(holds_, row + 1, 0);
}

void GroupHoldPage::setHold(int row, std::uint16_t value) {
  setCellValue(holds_, row + 1, 0, value);
}

void GroupHoldPage::setGroupBackground(int row, const QColor &colour) {
  setCellBackground(groups_, row, 0, colour);
}

void GroupHoldPage::setRowColour(int row, const QColor &colour) {
  setCellBackground(groups_, row, 1, colour);
  setCellBackground(holds_, row + 1, 1, colour);
}

void GroupHoldPage::resetGroupTable() {
  for (int row = 0; row < kRows; ++row) {
    setGroup(row, 0);
    setGroupBackground(row, QColor(0xFFFFFF));
  }
  Q_EMIT groupTableReset();
}

void GroupHoldPage::resetHoldTable() {
  const auto value = static_cast<std::uint16_t>(resetHoldValue_->value());
  for (int line = 0; line < kHoldLines; ++line)
    setCellValue(holds_, line, 0, value);
  Q_EMIT holdTableReset();
}

void GroupHoldPage::onGroupReset() {
  if (dialogs_.confirm(kResetConfirmTitle, kResetConfirmText)) resetGroupTable();
}

void GroupHoldPage::onHoldReset() {
  if (dialogs_.confirm(kResetConfirmTitle, kResetConfirmText)) resetHoldTable();
}

} // namespace quorvane
