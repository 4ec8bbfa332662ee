#pragma once
// The teach subsystem: the teach operations on the teach-table page (TEACH DATA TO, the
// grid's context menu, the "No." band), the two teach assistants (mean values, recorded
// values) with their child panels, and the row colours with their page (ROW COLORS) and
// their sections in the panel settings file. It works on the parameter pages through their
// own methods; the parameter subsystem knows nothing of it.
#include "teach/mean_teach_controller.h"
#include "teach/mean_teach_panel.h"
#include "teach/recorded_teach_controller.h"
#include "teach/recorded_teach_panel.h"
#include "teach/row_colours_controller.h"
#include "teach/row_colours_page.h"
#include "teach/teach_controller.h"
#include "teach/teach_grid_menu.h"
#include "ui/subsystem.h"

#include <QObject>

#include <array>
#include <cstdint>
#include <memory>

class QPushButton;

namespace quorvane {

class Dialogs;
class FramePublisher;
class LiveController;
class ParameterSubsystem;
class SensorLink;
class Shell;

class TeachSubsystem : public QObject, public Subsystem {
  Q_OBJECT
public:
  TeachSubsystem(ParameterSubsystem &parameters, Dialogs &dialogs, FramePublisher &frames,
                 LiveController &live, SensorLink &link, Shell &shell, QObject *parent = nullptr);
  ~TeachSubsystem() override;

  // Owned by whoever places them (the main window).
  RowColoursPage &rowColoursPage() { return *page_; }
  MeanTeachPanel &meanPanel() { return *meanPanel_; }
  RecordedTeachPanel &recordedPanel() { return *recordedPanel_; }
  RowColoursController &rowColours() { return *rowColours_; }
  TeachController &controller() { return *teach_; }
  TeachGridMenu &gridMenu() { return *menu_; }
  MeanTeachController &meanTeach() { return *mean_; }
  RecordedTeachController &recordedTeach() { return *recorded_; }
  // The two buttons on the teach-table page that open the assistants.
  QPushButton *meanButton() const { return meanButton_; }
  QPushButton *recordedButton() const { return recordedButton_; }

  // CLOSE of either assistant: the running loop ends and the live displays come back.
  void assistantCloseClicked();

  // --- Subsystem ---
  // The grid's context menu.
  void initAtStartup() override;
  std::vector<PageDeclaration> pages() override;
  std::vector<ChildPanelDeclaration> childPanels() override;
  std::vector<RememberedFile> rememberedFiles() override;
  // The row sections of the file, silently.
  void loadSettings(const IniText &doc) override;
  // The 31 row sections.
  void appendSections(IniText &doc) const override;

Q_SIGNALS:
  // The colours the colour-space views draw the rows in.
  void rowColoursChanged(quorvane::TeachRowColours colours);

private:
  SensorLink &link_;
  Shell &shell_;
  RowColoursPage *page_;
  MeanTeachPanel *meanPanel_;
  RecordedTeachPanel *recordedPanel_;
  QPushButton *meanButton_;
  QPushButton *recordedButton_;
  std::unique_ptr<RowColoursController> rowColours_;
  std::unique_ptr<TeachGridMenu> menu_;
  std::unique_ptr<TeachController> teach_;
  std::unique_ptr<MeanTeachController> mean_;
  std::unique_ptr<RecordedTeachController> recorded_;
};

} // namespace quorvane
