#include "teach/row_colours_page.h"

#include "teach/core/row_colours.h"
#include "ui/display_widgets.h"
#include "ui/help.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolButton>

namespace quorvane {
namespace {

constexpr int kRows = static_cast<int>(kTeachRows);
constexpr int kTextColumn = 0;
constexpr int kColourColumn = 1;

const QString kInfoTitle = QStringLiteral("Info");
const QString kHelpMode = QStringLiteral(
    "Set mode for the row indicator colors. \n\nManually: Indicator colors can be set manually. "
    "\n\nAutomatically: Indicator colors will be set automatically, \naccording to the color "
    "detected from the sensor.");
const QString kHelpRow = QStringLiteral("Select a row, which should be set.");
const QString kHelpColour = QStringLiteral("Select a indicator color.");
const QString kHelpSet = QStringLiteral("Assign selected color to row.");
const QString kHelpSave = QStringLiteral(
    "Indicator colors and row specifications \nwill be saved to a selectable file. \nAttention! "
    "The table attributes will be stored \nat the hard disk and NOT in the sensor.");
const QString kHelpGet =
    QStringLiteral("Indicator colors and row specifications will be \nread from a selectable file "
                   "from the hard disk \nand assigned to the teach table and specification table.");
const QString kHelpReset = QStringLiteral("Set default row colors.");
const QString kHelpTemperature = QStringLiteral("Sensor temperature of the last measurement.");
const QString kHelpLiveColour =
    QStringLiteral("Color detected from the sensor, \nassigned to a row by TEACH DATA TO.");

// Specifications are typed in place, at most 99 characters.
class SpecificationDelegate : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                        const QModelIndex &index) const override {
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto *line = qobject_cast<QLineEdit *>(editor))
      line->setMaxLength(static_cast<int>(kRowSpecificationMaxBytes));
    return editor;
  }
};

QLabel *caption(const QString &text, QWidget *buddy) {
  auto *label = new QLabel(text);
  label->setBuddy(buddy);
  return label;
}

QPushButton *button(const QString &text) {
  auto *b = new QPushButton(text);
  b->setAccessibleName(text);
  return b;
}

} // namespace

RowColoursPage::RowColoursPage(Dialogs &dialogs, QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("rowColoursPage"));

  table_ = new QTableWidget(kRows, 2);
  table_->setAccessibleName(QStringLiteral("ROW SPECIFICATION"));
  table_->setHorizontalHeaderLabels({QStringLiteral("ROW SPECIFICATION"), QString()});
  QStringList labels;
  for (int r = 0; r < kRows; ++r)
    labels << QString::number(r);
  table_->setVerticalHeaderLabels(labels);
  for (int r = 0; r < kRows; ++r) {
    table_->setItem(r, kTextColumn, new QTableWidgetItem);
    auto *colour = new QTableWidgetItem;
    colour->setFlags(Qt::ItemIsEnabled); // shows the colour only
    table_->setItem(r, kColourColumn, colour);
  }
  table_->setItemDelegateForColumn(kTextColumn, new SpecificationDelegate(table_));
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
  table_->horizontalHeader()->setSectionResizeMode(kTextColumn, QHeaderView::Stretch);
  table_->horizontalHeader()->setSectionResizeMode(kColourColumn, QHeaderView::Fixed);
  table_->setColumnWidth(kColourColumn, 24);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);

  mode_ = new QComboBox;
  for (std::string_view item : kColourModeItems)
    mode_->addItem(QString::fromLatin1(item.data(), static_cast<qsizetype>(item.size())));
  mode_->setAccessibleName(QStringLiteral("COLOR MODE"));
  connect(mode_, &QComboBox::activated, this, &RowColoursPage::modeCommitted);

  row_ = new QSpinBox;
  row_->setRange(0, kRows - 1);
  row_->setKeyboardTracking(false);
  row_->setAccessibleName(QStringLiteral("ROW"));
  connect(row_, &QSpinBox::valueChanged, this, &RowColoursPage::rowCommitted);

  colour_ = new QSpinBox;
  colour_->setRange(0, static_cast<int>(kMaxRowColor));
  colour_->setDisplayIntegerBase(16);
  colour_->setPrefix(QStringLiteral("0x"));
  colour_->setKeyboardTracking(false);
  colour_->setAccessibleName(QStringLiteral("COLOR"));
  swatch_ = new ColourBox(QStringLiteral("COLOR SAMPLE"));
  swatch_->setMinimumSize(24, 20);
  connect(colour_, &QSpinBox::valueChanged, this, [this](int value) {
    swatch_->setColour(QColor(static_cast<QRgb>(value)));
    Q_EMIT colourCommitted();
  });
  pick_ = new QToolButton;
  pick_->setText(QStringLiteral("..."));
  pick_->setAccessibleName(QStringLiteral("Choose color"));
  connect(pick_, &QToolButton::clicked, this, &RowColoursPage::pickRequested);

  set_ = button(QStringLiteral("SET"));
  save_ = button(QStringLiteral("SAVE"));
  get_ = button(QStringLiteral("GET"));
  reset_ = button(QStringLiteral("RESET"));
  connect(set_, &QPushButton::clicked, this, &RowColoursPage::setRequested);
  connect(save_, &QPushButton::clicked, this, &RowColoursPage::saveRequested);
  connect(get_, &QPushButton::clicked, this, &RowColoursPage::getRequested);
  connect(reset_, &QPushButton::clicked, this, &RowColoursPage::resetRequested);

  temperature_ = new NumberDisplay(QStringLiteral("TEMPERATURE"));
  liveColour_ = new ColourBox(QStringLiteral("CURRENT COLOR"));
  liveColour_->setMinimumSize(48, 24);

  auto *controls = new QGridLayout;
  int line = 0;
  controls->addWidget(caption(QStringLiteral("COLOR MODE"), mode_), line, 0);
  controls->addWidget(mode_, line++, 1, 1, 2);
  controls->addWidget(caption(QStringLiteral("ROW"), row_), line, 0);
  controls->addWidget(row_, line++, 1, 1, 2);
  controls->addWidget(caption(QStringLiteral("COLOR"), colour_), line, 0);
  controls->addWidget(colour_, line, 1);
  controls->addWidget(pick_, line++, 2);
  controls->addWidget(swatch_, line, 1);
  controls->addWidget(set_, line++, 2);
  controls->addWidget(liveColour_, line++, 1, 1, 2);
  controls->addWidget(caption(QStringLiteral("TEMPERATURE"), temperature_), line, 0);
  controls->addWidget(temperature_, line++, 1);
  controls->setRowStretch(line++, 1);
  controls->addWidget(save_, line++, 0, 1, 3);
  controls->addWidget(get_, line++, 0, 1, 3);
  controls->addWidget(reset_, line++, 0, 1, 3);

  auto *layout = new QGridLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(table_, 0, 0);
  layout->addLayout(controls, 0, 1);
  layout->setColumnStretch(0, 1);

  installHelp({{mode_, kHelpMode},
               {row_, kHelpRow},
               {colour_, kHelpColour},
               {pick_, kHelpColour},
               {set_, kHelpSet},
               {save_, kHelpSave},
               {get_, kHelpGet},
               {reset_, kHelpReset},
               {temperature_, kHelpTemperature},
               {liveColour_, kHelpLiveColour}},
              dialogs, kInfoTitle);
  setSelectedColour(DefaultRowColors[0]);
  showColourMode(kColourModeManual);
}

RowColoursPage::~RowColoursPage() {
  // An editor still open commits when the table goes away; nobody must react then.
  for (QObject *child : children())
    child->disconnect(this);
}

QString RowColoursPage::specification(int row) const {
  const QTableWidgetItem *item = table_->item(row, kTextColumn);
  return item ? item->text() : QString();
}

void RowColoursPage::setSpecification(int row, const QString &text) {
  if (QTableWidgetItem *item = table_->item(row, kTextColumn)) item->setText(text);
}

std::uint32_t RowColoursPage::rowColour(int row) const {
  const QTableWidgetItem *item = table_->item(row, kColourColumn);
  if (!item) return 0;
  return static_cast<std::uint32_t>(item->background().color().rgb()) & kMaxRowColor;
}

void RowColoursPage::setRowColour(int row, std::uint32_t rgb) {
  if (QTableWidgetItem *item = table_->item(row, kColourColumn))
    item->setBackground(QColor(static_cast<QRgb>(rgb)));
}

int RowColoursPage::colourMode() const {
  return mode_->currentIndex() == kColourModeAutomatic ? kColourModeAutomatic : kColourModeManual;
}

int RowColoursPage::selectedRow() const {
  return row_->value();
}

std::uint32_t RowColoursPage::selectedColour() const {
  return static_cast<std::uint32_t>(colour_->value());
}

void RowColoursPage::setSelectedColour(std::uint32_t rgb) {
  colour_->setValue(static_cast<int>(clampRowColor(rgb)));
  swatch_->setColour(QColor(static_cast<QRgb>(colour_->value())));
}

void RowColoursPage::showColourMode(int mode) {
  const bool manual = mode != kColourModeAutomatic;
  mode_->setCurrentIndex(manual ? kColourModeManual : kColourModeAutomatic);
  for (QWidget *w : std::initializer_list<QWidget *>{row_, colour_, pick_, set_})
    w->setEnabled(manual);
  liveColour_->setVisible(!manual);
}

void RowColoursPage::showTemperature(int value) {
  temperature_->showText(QString::number(value));
}

void RowColoursPage::showLiveColour(std::uint32_t rgb) {
  liveColour_->setColour(QColor(static_cast<QRgb>(rgb)));
}

} // namespace quorvane
