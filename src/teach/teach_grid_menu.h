#pragma once
// The teach grid's own context menu: help, set / increment / reset a selection of cells, and
// whether TEACH DATA TO writes default tolerances. It opens on a right click, with the
// context-menu key and with Shift+F10.
#include "teach/core/grid_selection.h"

#include <QObject>

#include <optional>

class QAction;
class QMenu;

namespace quorvane {

class Dialogs;
class ParameterController;
class ParameterData;

class TeachGridMenu : public QObject {
  Q_OBJECT
public:
  TeachGridMenu(ParameterController &parameters, Dialogs &dialogs, QObject *parent = nullptr);
  ~TeachGridMenu() override;

  // Builds the menu on the grid, entries in their fixed order; "Teach tolerance on" dimmed.
  void build();
  [[nodiscard]] QMenu *menu() const { return menu_; }
  // Whether TEACH DATA TO writes default tolerances (on at start-up).
  [[nodiscard]] bool teachTolerance() const { return teachTolerance_; }

  // --- the entries ---
  void helpTriggered();
  void setSelectionTriggered();
  void incrementSelectionTriggered();
  void resetSelectionTriggered();
  void teachToleranceOffTriggered();
  void teachToleranceOnTriggered();

  QAction *teachTolOffAction() const { return tolOff_; }
  QAction *teachTolOnAction() const { return tolOn_; }

private:
  // The grid's selection as 1-based lines and columns; nullopt when nothing is selected.
  [[nodiscard]] std::optional<GridSelection> selection() const;
  [[nodiscard]] CellGrid readGrid() const;
  // The editable cells of the selection into the teach table, then the graphs.
  void writeBack(const CellGrid &grid, const GridSelection &s);
  // The integer typed into the prompt; nullopt when cancelled or unreadable.
  [[nodiscard]] std::optional<int> askValue();

  ParameterController &parameters_;
  ParameterData &data_;
  Dialogs &dialogs_;
  QMenu *menu_ = nullptr;
  QAction *tolOff_ = nullptr;
  QAction *tolOn_ = nullptr;
  bool teachTolerance_ = true;
};

} // namespace quorvane
