#include "teach/teach_grid_menu.h"

#include "params/parameter_controller.h"
#include "params/parameter_data.h"
#include "ui/dialogs.h"
#include "ui/help.h"

#include <QAction>
#include <QMenu>

namespace quorvane {
namespace {

const QString kGridHelp = QStringLiteral(
    "Change cell value with a left double click or with F2. \n\nSelect a range of cells by "
    "holding down the left mouse button and dragging the mouse over the cells to select. \n\nSet "
    "selection to: Set the selection to an adjustable value. \nIncrement selection with: Selected "
    "cells will be incremented with an adjustable value beginning with the first cell. \nReset "
    "selection: Reset the selected range.\nTeach tolerance off: Tolerance will not be changed. "
    "\nTeach tolerance on: Tolerance will be set automatically to a default value.");

QString qs(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

TeachGridMenu::TeachGridMenu(ParameterController &parameters, Dialogs &dialogs, QObject *parent)
    : QObject(parent), parameters_(parameters), data_(parameters.data()), dialogs_(dialogs) {}

TeachGridMenu::~TeachGridMenu() {
  delete menu_;
}

void TeachGridMenu::build() {
  if (menu_) return;
  menu_ = new QMenu;
  menu_->setAccessibleName(QStringLiteral("TEACH TABLE menu"));
  menu_->addAction(QStringLiteral("Help"), this, &TeachGridMenu::helpTriggered);
  menu_->addSeparator();
  menu_->addAction(QStringLiteral("Set selection to"), this, &TeachGridMenu::setSelectionTriggered);
  menu_->addAction(QStringLiteral("Increment selection with"), this,
                   &TeachGridMenu::incrementSelectionTriggered);
  menu_->addAction(QStringLiteral("Reset selection"), this,
                   &TeachGridMenu::resetSelectionTriggered);
  menu_->addSeparator();
  tolOff_ = menu_->addAction(QStringLiteral("Teach tolerance off"), this,
                             &TeachGridMenu::teachToleranceOffTriggered);
  tolOn_ = menu_->addAction(QStringLiteral("Teach tolerance on"), this,
                            &TeachGridMenu::teachToleranceOnTriggered);
  tolOn_->setEnabled(false);

  parameters_.setTeachGridMenu(menu_);
}

void TeachGridMenu::helpTriggered() {
  dialogs_.message(kHelpTitle, kGridHelp);
}

void TeachGridMenu::teachToleranceOffTriggered() {
  teachTolerance_ = false;
  tolOff_->setEnabled(false);
  tolOn_->setEnabled(true);
}

void TeachGridMenu::teachToleranceOnTriggered() {
  teachTolerance_ = true;
  tolOn_->setEnabled(false);
  tolOff_->setEnabled(true);
}

std::optional<GridSelection> TeachGridMenu::selection() const {
  const QRect r = parameters_.teachGridSelection();
  if (r.isNull()) return std::nullopt;
  const GridSelection s{r.top() + 1, r.left() + 1, r.height(), r.width()};
  if (!selectionUsable(s)) return std::nullopt;
  return s;
}

CellGrid TeachGridMenu::readGrid() const {
  CellGrid grid(kTeachGridLines, kTeachGridColumns);
  for (int line = 1; line <= kTeachGridLines; ++line) {
    for (int column = 1; column <= kTeachGridColumns; ++column) {
      // The indicator-colour column is never edited.
      grid.setEditable(line, column, data_.valueColumnEditable(column - 1));
      if (column <= static_cast<int>(kTeachCells))
        grid.setValue(line, column,
                      data_.table()[static_cast<std::size_t>(line - 1)]
                          .cell[static_cast<std::size_t>(column - 1)]);
    }
  }
  return grid;
}

void TeachGridMenu::writeBack(const CellGrid &grid, const GridSelection &s) {
  for (int line = s.top; line < s.top + s.lines; ++line)
    for (int column = s.left; column < s.left + s.columns; ++column)
      if (grid.editable(line, column) && column <= static_cast<int>(kTeachCells))
        data_.setCell(line - 1, column - 1, grid.value(line, column));
  parameters_.redrawGraphs();
}

std::optional<int> TeachGridMenu::askValue() {
  const std::optional<QString> reply = dialogs_.prompt(qs(kCellPromptTitle), qs(kCellPromptText),
                                                       static_cast<int>(kCellPromptMaxLength));
  if (!reply) return std::nullopt;
  return parsePromptInteger(reply->left(kCellPromptMaxLength).toStdString());
}

void TeachGridMenu::setSelectionTriggered() {
  const auto s = selection();
  if (!s) return;
  const auto value = askValue();
  if (!value) return;
  CellGrid grid = readGrid();
  setSelectionTo(grid, *s, *value);
  writeBack(grid, *s);
}

void TeachGridMenu::incrementSelectionTriggered() {
  const auto s = selection();
  if (!s) return;
  CellGrid grid = readGrid();
  if (!canIncrementSelection(grid, *s)) return;
  const auto increment = askValue();
  if (!increment) return;
  incrementSelection(grid, *s, *increment);
  writeBack(grid, *s);
}

void TeachGridMenu::resetSelectionTriggered() {
  const auto s = selection();
  if (!s) return;
  CellGrid grid = readGrid();
  resetSelection(grid, *s);
  writeBack(grid, *s);
}

} // namespace quorvane
