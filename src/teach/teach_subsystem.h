#pragma once
// The teach subsystem: the teach operations on the teach-table page (TEACH DATA TO, the
// grid's context menu, the "No." band) and the row colours with their page (ROW COLORS) and
// their sections in the panel settings file. It works on the parameter pages through their
// own methods; the parameter subsystem knows nothing of it.
#include "teach/row_colours_controller.h"
#include "teach/row_colours_page.h"
#include "teach/teach_controller.h"
#include "teach/teach_grid_menu.h"
#include "ui/subsystem.h"

#include <QObject>

#include <array>
#include <cstdint>
#include <memory>

namespace quorvane {

class Dialogs;
class FramePublisher;
class ParameterSubsystem;
struct ParameterState;

class TeachSubsystem : public QObject, public Subsystem {
  Q_OBJECT
public:
  TeachSubsystem(ParameterSubsystem &parameters, ParameterState &state, Dialogs &dialogs,
                 FramePublisher &frames, QObject *parent = nullptr);
  ~TeachSubsystem() override;

  // Owned by whoever places it (the main window).
  RowColoursPage &rowColoursPage() { return *page_; }
  RowColoursController &rowColours() { return *rowColours_; }
  TeachController &controller() { return *teach_; }
  TeachGridMenu &gridMenu() { return *menu_; }

  // --- Subsystem ---
  // The grid's context menu.
  void initAtStartup() override;
  // The table-attributes path and, silently, the row sections of the file.
  void loadSettings(const PanelSettings &settings, const IniText &doc) override;
  void storeSettings(PanelSettings &settings) const override;
  // The 31 row sections.
  void appendSections(IniText &doc) const override;
  void pageSelected(MainPage) override {}

Q_SIGNALS:
  // The colours the colour-space views draw the rows in.
  void rowColoursChanged(std::array<std::uint32_t, 31> colours);

private:
  RowColoursPage *page_;
  std::unique_ptr<RowColoursController> rowColours_;
  std::unique_ptr<TeachGridMenu> menu_;
  std::unique_ptr<TeachController> teach_;
};

} // namespace quorvane
