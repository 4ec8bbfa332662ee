#include "params/panel_view_io.h"
#include "ui/colour.h"

#include "params/group_hold_page.h"
#include "params/parameter_page.h"
#include "params/teach_table_page.h"
#include "ui/value_controls.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>

namespace quorvane {
namespace {

constexpr int kRows = static_cast<int>(kTeachRows);

// The line labels carry the active/inactive mark as their text colour.
void markLine(QTableWidget *table, int line, const QColor &colour) {
  QTableWidgetItem *label = table->verticalHeaderItem(line);
  if (!label) {
    label = new QTableWidgetItem(QString::number(line));
    table->setVerticalHeaderItem(line, label);
  }
  label->setForeground(colour);
}

} // namespace

void readPanelView(PanelView &view, const ParameterState &record, const ParameterPage &page) {
  view.para = record.para;
  for (std::size_t r = 0; r < kTeachRows; ++r)
    view.groups[r] = record.table[r].group;
  view.triggerItems = page.triggerItems();
}

void applyPanelView(const PanelView &view, const ParameterPages &pages) {
  ParameterPage &p = pages.parameters;
  GroupHoldPage &g = pages.groupHold;
  TeachTablePage &t = pages.teach;

  // The choices first, so that the TRIGGER value finds its item.
  p.setTriggerItems(view.triggerItems);
  for (std::size_t i = 0; i < kParameterCount; ++i) {
    const std::uint16_t value = view.para.*kParameterFields[i].member;
    if (ParameterPage::showsField(i)) {
      if (p.fieldValue(i) != value) p.setFieldValue(i, value);
    } else if (i == field::kHoldFail) {
      g.setHoldFail(value);
    } else if (i == field::kColorGroup) {
      g.setColorGroup(value);
    }
  }

  const ParameterControls &c = view.controls;
  p.setFieldDimmed(field::kPowerMode, !c.powerModeEnabled);
  p.setFieldDimmed(field::kPower, !c.powerEnabled);
  p.setFieldDimmed(field::kDynwinLo, !c.dynwinEnabled);
  p.setFieldDimmed(field::kDynwinHi, !c.dynwinEnabled);
  p.setFieldDimmed(field::kTrigger, !c.triggerEnabled);
  p.setFieldDimmed(field::kExternTeach, !c.externTeachEnabled);
  p.setFieldVisible(field::kAnalogOut, c.analogOutVisible);
  p.setFieldVisible(field::kAnalogZoom, c.analogZoomVisible);
  p.setFieldDimmed(field::kMaxVecNo, !c.maxVecNoEnabled);
  p.setFieldDimmed(field::kIntLim, !c.intLimEnabled);
  p.setFieldDimmed(field::kCalculationMode, !c.calculationModeEnabled);
  g.colorGroupSwitch()->setEnabled(c.colorGroupEnabled);
  g.groupTable()->setEnabled(c.groupTableEnabled);
  g.groupResetButton()->setEnabled(c.groupTableEnabled);

  const TeachPageView &teach = view.teach;
  QStringList headings;
  for (const std::string &h : teach.headings)
    headings << QString::fromStdString(h);
  t.setColumnHeadings(headings);
  for (int column = 0; column < static_cast<int>(kTeachCells); ++column) {
    const QColor text = colourOf(teach.columnTextColour[static_cast<std::size_t>(column)]);
    for (int r = 0; r < kRows; ++r)
      if (QTableWidgetItem *item = t.grid()->item(r, column)) item->setForeground(text);
  }
  for (int r = 0; r < kRows; ++r) {
    const auto row = static_cast<std::size_t>(r);
    g.setGroup(r, view.groups[row]);
    g.setGroupBackground(r, colourOf(teach.groupCellColour[row]));
    const QColor mark = colourOf(teach.rowMark[row]);
    markLine(t.grid(), r, mark);
    markLine(g.groupTable(), r, mark);
    markLine(g.holdTable(), r + 1, mark);
  }
  t.rowNumber()->setVisible(teach.rowNumberVisible);
  t.rowNumberCaption()->setVisible(teach.rowNumberVisible);
  t.autoIncrementButton()->setVisible(teach.rowNumberVisible);
  t.setAssistantsEnabled(teach.assistantsEnabled);
}

} // namespace quorvane
