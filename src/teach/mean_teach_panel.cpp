#include "teach/mean_teach_panel.h"

#include "ui/help.h"
#include "ui/value_controls.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quorvane {
namespace {

const QString kHelpCapture =
    QStringLiteral("Get frame of R,G,B,X,Y,INT \nrespectively R,G,B,s,i,M \nand assign to table.");
const QString kHelpUndo = QStringLiteral("Remove the last frame from table.");
const QString kHelpReset = QStringLiteral("Set all table cells to 0.");
const QString kHelpTeach = QStringLiteral(
    "Mean values are assigned to the \nTEACH TABLE row selected \nin the ROW No.: function field.");
const QString kHelpValues = QStringLiteral("Table to list the captured values.");
const QString kHelpMean = QStringLiteral("Table to list the mean values.");
const QString kHelpCounter = QStringLiteral("Displays the amount of captured frames.");
const QString kHelpSpread = QStringLiteral("Displays the maximum distance to the mean values.");
const QString kHelpSpreadInt =
    QStringLiteral("Displays the maximum intensity distance to mean value.");
const QString kHelpRing =
    QStringLiteral("Choose to which value the tolerance \nshould be set in the TEACH TABLE.");
const QString kHelpValue1 = QStringLiteral("Select CTO respectively siTO respectively TOL.");
const QString kHelpValue2 = QStringLiteral("Select ITO respectively MTO.");
const QString kHelpClose = QStringLiteral("Close PANEL and return to MAIN PANEL.");

constexpr QRgb kResetAsking = 0xFF0000;
constexpr QRgb kResetIdle = 0xE0E0E0;

QString text(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QPushButton *button(const QString &caption) {
  auto *b = new QPushButton(caption);
  b->setAccessibleName(caption);
  return b;
}

QStringList columnHeadings(const std::array<std::string_view, 6> &columns) {
  QStringList h;
  for (std::string_view c : columns)
    h << text(c);
  return h;
}

void setButtonColour(QPushButton *b, QRgb rgb) {
  b->setStyleSheet(QStringLiteral("background-color: %1").arg(QColor(rgb).name()));
}

} // namespace

QLineEdit *numberDisplay(const QString &name) {
  auto *d = new QLineEdit(QStringLiteral("0"));
  d->setReadOnly(true);
  d->setAlignment(Qt::AlignRight);
  d->setAccessibleName(name);
  d->setMaximumWidth(80);
  return d;
}

MeanTeachPanel::MeanTeachPanel(Dialogs &dialogs, QWidget *parent)
    : QWidget(parent), captured_(new QTableWidget), mean_(new QTableWidget),
      counter_(numberDisplay(QStringLiteral("COUNTER"))),
      spread_(numberDisplay(QStringLiteral("d (X/Y)"))),
      spreadInt_(numberDisplay(QStringLiteral("d INT"))),
      spreadCaption_(new QLabel(QStringLiteral("d (X/Y)"))),
      spreadIntCaption_(new QLabel(QStringLiteral("d INT"))),
      capture_(button(QStringLiteral("CAPTURE"))), undo_(button(QStringLiteral("UNDO"))),
      reset_(button(QStringLiteral("RESET"))), teach_(button(QStringLiteral("TEACH"))),
      close_(button(QStringLiteral("CLOSE"))) {
  setObjectName(QStringLiteral("meanTeachPanel"));
  const QStringList headings = columnHeadings(meanPanelLabels(0, 0).columns);
  setUpValueTable(captured_, kMaxCapturedFrames, static_cast<int>(kCaptureColumns) + 1, headings,
                  numberLabels(1, kMaxCapturedFrames));
  // setUpValueTable gives a colour column; these tables have none.
  captured_->setColumnCount(static_cast<int>(kCaptureColumns));
  captured_->setAccessibleName(QStringLiteral("CAPTURED VALUES"));
  // Wide enough for six five-digit values beside the line numbers, and no wider, so the
  // panel fits its pane at the window's default size.
  const QFontMetrics metrics = captured_->fontMetrics();
  captured_->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("100")) +
                             static_cast<int>(kCaptureColumns) *
                                 (metrics.horizontalAdvance(QStringLiteral("65535")) + 12) +
                             captured_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 24);
  auto *delegate = new UInt16Delegate(this);
  for (int c = 0; c < static_cast<int>(kCaptureColumns); ++c) {
    captured_->setItemDelegateForColumn(c, delegate);
    captured_->horizontalHeader()->setSectionResizeMode(c, QHeaderView::Stretch);
  }
  connect(delegate, &UInt16Delegate::valueEdited, this, &MeanTeachPanel::capturedValueEdited);
  setUpValueTable(mean_, 1, static_cast<int>(kCaptureColumns) + 1, headings,
                  {QStringLiteral("MEAN")});
  mean_->setColumnCount(static_cast<int>(kCaptureColumns));
  mean_->setAccessibleName(QStringLiteral("MEAN VALUES"));
  mean_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  for (int c = 0; c < static_cast<int>(kCaptureColumns); ++c)
    mean_->horizontalHeader()->setSectionResizeMode(c, QHeaderView::Stretch);
  mean_->setFixedHeight(mean_->horizontalHeader()->sizeHint().height() +
                        mean_->verticalHeader()->defaultSectionSize() + 4);
  showTable(CaptureTable{});
  showMeans(MeanValues{});

  // The fourth ring entry keeps the teach table's tolerance.
  const char *ringNames[] = {"TEACH CTO WITH", "TEACH ITO WITH"};
  const char *valueNames[] = {"VALUE CTO", "VALUE ITO"};
  for (std::size_t i = 0; i < 2; ++i) {
    rings_[i] = new QComboBox;
    rings_[i]->setAccessibleName(QString::fromLatin1(ringNames[i]));
    ringCaptions_[i] = new QLabel(QString::fromLatin1(ringNames[i]));
    ringCaptions_[i]->setBuddy(rings_[i]);
    values_[i] = new QSpinBox;
    values_[i]->setRange(0, 65535);
    values_[i]->setAccessibleName(QString::fromLatin1(valueNames[i]));
    valueCaptions_[i] = new QLabel(QString::fromLatin1(valueNames[i]));
    valueCaptions_[i]->setBuddy(values_[i]);
  }
  const char *liveNames[] = {"R", "G", "B"};
  auto *liveRow = new QHBoxLayout;
  for (std::size_t i = 0; i < 3; ++i) {
    live_[i] = numberDisplay(QString::fromLatin1(liveNames[i]));
    liveRow->addWidget(new QLabel(QString::fromLatin1(liveNames[i])));
    liveRow->addWidget(live_[i]);
  }
  liveRow->addStretch();
  applyLabels(meanPanelLabels(0, 0));

  auto *counterCaption = new QLabel(QStringLiteral("COUNTER"));
  counterCaption->setBuddy(counter_);
  spreadCaption_->setBuddy(spread_);
  spreadIntCaption_->setBuddy(spreadInt_);
  setResetAsking(false);
  capture_->setShortcut(QKeySequence(Qt::Key_Space | Qt::CTRL));
  undo_->setShortcut(QKeySequence::Undo);

  // Everything under the table, captions above their fields: the pane is narrow at the
  // window's default size, and the table takes the height.
  auto *form = new QGridLayout;
  form->addWidget(counterCaption, 0, 0);
  form->addWidget(counter_, 1, 0);
  form->addWidget(spreadCaption_, 0, 1);
  form->addWidget(spread_, 1, 1);
  form->addWidget(spreadIntCaption_, 0, 2);
  form->addWidget(spreadInt_, 1, 2);
  for (int i = 0; i < 2; ++i) {
    const auto n = static_cast<std::size_t>(i);
    form->addWidget(ringCaptions_[n], 2 + 2 * i, 0, 1, 2);
    form->addWidget(rings_[n], 3 + 2 * i, 0, 1, 2);
    form->addWidget(valueCaptions_[n], 2 + 2 * i, 2);
    form->addWidget(values_[n], 3 + 2 * i, 2);
  }
  form->setColumnStretch(3, 1);
  // The table's own actions under it; TEACH and CLOSE at the foot of the panel.
  auto *tableButtons = new QHBoxLayout;
  for (QPushButton *b : {capture_, undo_, reset_})
    tableButtons->addWidget(b);
  tableButtons->addStretch();
  auto *panelButtons = new QHBoxLayout;
  panelButtons->addWidget(teach_);
  panelButtons->addStretch();
  panelButtons->addWidget(close_);

  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addLayout(liveRow);
  layout->addWidget(captured_, 1);
  layout->addLayout(tableButtons);
  layout->addWidget(mean_);
  layout->addLayout(form);
  layout->addLayout(panelButtons);

  installHelp({{capture_, kHelpCapture},
               {undo_, kHelpUndo},
               {reset_, kHelpReset},
               {teach_, kHelpTeach},
               {captured_, kHelpValues},
               {mean_, kHelpMean},
               {counter_, kHelpCounter},
               {spread_, kHelpSpread},
               {spreadInt_, kHelpSpreadInt},
               {rings_[0], kHelpRing},
               {rings_[1], kHelpRing},
               {values_[0], kHelpValue1},
               {values_[1], kHelpValue2},
               {close_, kHelpClose}},
              dialogs);
}

MeanTeachPanel::~MeanTeachPanel() {
  // An editor still open commits when the table goes away; nobody must react then.
  captured_->itemDelegateForColumn(0)->disconnect(this);
}

void MeanTeachPanel::applyLabels(const MeanPanelLabels &labels) {
  const QStringList headings = columnHeadings(labels.columns);
  captured_->setHorizontalHeaderLabels(headings);
  mean_->setHorizontalHeaderLabels(headings);
  spreadCaption_->setText(text(labels.spread));
  spread_->setAccessibleName(text(labels.spread));
  spreadIntCaption_->setText(text(labels.spreadInt));
  spreadInt_->setAccessibleName(text(labels.spreadInt));
  spreadIntCaption_->setVisible(labels.spreadIntVisible);
  spreadInt_->setVisible(labels.spreadIntVisible);
  const std::array<const ToleranceControlLabels *, 2> tolerances{&labels.tolerance1,
                                                                 &labels.tolerance2};
  for (std::size_t i = 0; i < 2; ++i) {
    const ToleranceControlLabels &t = *tolerances[i];
    QComboBox *ring = rings_[i];
    const int choice = ring->count() > 0 ? ring->currentIndex() : 0;
    ring->clear();
    for (std::string_view item : t.items)
      ring->addItem(text(item));
    ring->addItem(text(kFourthRingItem));
    ring->setCurrentIndex(choice);
    ring->setAccessibleName(text(t.ring));
    ringCaptions_[i]->setText(text(t.ring));
    values_[i]->setAccessibleName(text(t.value));
    valueCaptions_[i]->setText(text(t.value));
    for (QWidget *w :
         {static_cast<QWidget *>(ring), static_cast<QWidget *>(values_[i]),
          static_cast<QWidget *>(ringCaptions_[i]), static_cast<QWidget *>(valueCaptions_[i])}) {
      w->setVisible(t.visible);
      w->setEnabled(t.enabled);
    }
  }
}

void MeanTeachPanel::showTable(const CaptureTable &table) {
  for (int line = 0; line < kMaxCapturedFrames; ++line)
    for (int c = 0; c < static_cast<int>(kCaptureColumns); ++c)
      setCellValue(captured_, line, c,
                   table.frames[static_cast<std::size_t>(line)][static_cast<std::size_t>(c)]);
  counter_->setText(QString::number(table.counter));
  const int line = std::clamp(table.activeLine, 1, kMaxCapturedFrames) - 1;
  // The active line is the newest one in view: with UNDO it is the top of the last six.
  captured_->scrollToItem(captured_->item(line, 0), table.activeLine == table.counter
                                                        ? QAbstractItemView::PositionAtBottom
                                                        : QAbstractItemView::PositionAtTop);
}

CaptureTable MeanTeachPanel::readTable(int counter) const {
  CaptureTable t;
  t.counter = std::clamp(counter, 0, kMaxCapturedFrames);
  for (int line = 0; line < kMaxCapturedFrames; ++line)
    for (int c = 0; c < static_cast<int>(kCaptureColumns); ++c)
      t.frames[static_cast<std::size_t>(line)][static_cast<std::size_t>(c)] =
          cellValue(captured_, line, c);
  return t;
}

void MeanTeachPanel::showMeans(const MeanValues &means) {
  for (int c = 0; c < static_cast<int>(kCaptureColumns); ++c)
    setCellValue(mean_, 0, c, means.mean[static_cast<std::size_t>(c)]);
  spread_->setText(QString::number(means.spread));
  spreadInt_->setText(QString::number(means.spreadInt));
}

void MeanTeachPanel::showLive(const MeasuredValues &values) {
  live_[0]->setText(QString::number(values.red));
  live_[1]->setText(QString::number(values.green));
  live_[2]->setText(QString::number(values.blue));
}

void MeanTeachPanel::setResetAsking(bool asking) {
  setButtonColour(reset_, asking ? kResetAsking : kResetIdle);
}

int MeanTeachPanel::ring1() const {
  return rings_[0]->currentIndex();
}
int MeanTeachPanel::ring2() const {
  return rings_[1]->currentIndex();
}
std::uint16_t MeanTeachPanel::value1() const {
  return static_cast<std::uint16_t>(values_[0]->value());
}
std::uint16_t MeanTeachPanel::value2() const {
  return static_cast<std::uint16_t>(values_[1]->value());
}

} // namespace quorvane
