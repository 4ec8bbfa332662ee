#include "teach/teach_subsystem.h"

#include "app/core/panel_settings.h"
#include "live/frame_publisher.h"
#include "params/parameter_subsystem.h"

#include <QPushButton>

namespace quorvane {

TeachSubsystem::TeachSubsystem(ParameterSubsystem &parameters, ParameterState &state,
                               Dialogs &dialogs, FramePublisher &frames, QObject *parent)
    : QObject(parent), page_(new RowColoursPage(dialogs)) {
  ParameterController &c = parameters.controller();
  rowColours_ = std::make_unique<RowColoursController>(*page_, parameters.teachTablePage(),
                                                       parameters.groupHoldPage(), c, dialogs);
  menu_ = std::make_unique<TeachGridMenu>(parameters.teachTablePage(), c, dialogs);
  teach_ = std::make_unique<TeachController>(state, parameters.teachTablePage(), c, *rowColours_,
                                             *menu_, dialogs);
  parameters.teachTablePage().addTeachControl(teach_->teachButton());
  connect(rowColours_.get(), &RowColoursController::rowColoursChanged, this,
          &TeachSubsystem::rowColoursChanged);
  connect(&frames, &FramePublisher::frame, this, [this](const MeasuredValues &values) {
    teach_->showFrame(values);
    rowColours_->showFrame(values);
  });
}

TeachSubsystem::~TeachSubsystem() = default;

void TeachSubsystem::initAtStartup() {
  menu_->build();
}

void TeachSubsystem::loadSettings(const PanelSettings &settings, const IniText &doc) {
  rowColours_->tableAttributesPath = QString::fromStdString(settings.paths.tableAttributesFile);
  // Rows the file does not hold keep their default colour and an empty text.
  rowColours_->AcquireTableSetFromIniHandle(doc, false);
  rowColours_->paintAllRows();
}

void TeachSubsystem::storeSettings(PanelSettings &settings) const {
  settings.paths.tableAttributesFile = rowColours_->tableAttributesPath.toStdString();
}

void TeachSubsystem::appendSections(IniText &doc) const {
  // A failed put only shortens the file; the write reports its own failure.
  (void)rowColours_->AppendTableSetToIniHandle(doc);
}

} // namespace quorvane
