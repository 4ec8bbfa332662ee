#include "teach/teach_subsystem.h"

#include "link/sensor_link.h"
#include "live/frame_publisher.h"
#include "params/parameter_subsystem.h"
#include "teach/core/table_attributes_file.h"
#include "ui/help.h"
#include "ui/shell.h"

#include <QPushButton>

namespace quorvane {

namespace {

const QString kHelpMean = QStringLiteral("Opens a panel to teach mean values.");
const QString kHelpRecorded =
    QStringLiteral("Opens a panel to teach, with help \nfrom a graph, recorded values.");

QPushButton *assistantButton(const QString &caption, const QString &help, Dialogs &dialogs) {
  auto *b = new QPushButton(caption);
  b->setAccessibleName(caption);
  installHelp(b, help, dialogs);
  return b;
}

} // namespace

TeachSubsystem::TeachSubsystem(ParameterSubsystem &parameters, Dialogs &dialogs,
                               FramePublisher &frames, LiveController &live, SensorLink &link,
                               Shell &shell, QObject *parent)
    : QObject(parent), link_(link), shell_(shell), page_(new RowColoursPage(dialogs)),
      meanPanel_(new MeanTeachPanel(dialogs)), recordedPanel_(new RecordedTeachPanel(dialogs)),
      meanButton_(assistantButton(QStringLiteral("TEACH MEAN VALUES"), kHelpMean, dialogs)),
      recordedButton_(
          assistantButton(QStringLiteral("TEACH RECORDED VALUES"), kHelpRecorded, dialogs)) {
  ParameterController &c = parameters.controller();
  const ParameterState &state = parameters.data().record();
  rowColours_ = std::make_unique<RowColoursController>(*page_, c, dialogs);
  menu_ = std::make_unique<TeachGridMenu>(c, dialogs);
  teach_ = std::make_unique<TeachController>(state, c, *rowColours_, *menu_, dialogs);
  parameters.addTeachControl(teach_->teachButton());
  mean_ =
      std::make_unique<MeanTeachController>(*meanPanel_, state, c, frames, link, shell, dialogs);
  recorded_ = std::make_unique<RecordedTeachController>(*recordedPanel_, state, c, *teach_, live,
                                                        link, shell, frames, dialogs);
  parameters.addAssistantControl(meanButton_);
  parameters.addAssistantControl(recordedButton_);
  connect(meanButton_, &QPushButton::clicked, mean_.get(),
          &MeanTeachController::teachMeanValuesClicked);
  connect(recordedButton_, &QPushButton::clicked, recorded_.get(),
          &RecordedTeachController::teachRecordedValuesClicked);
  for (QPushButton *close : {meanPanel_->closeButton(), recordedPanel_->closeButton()})
    connect(close, &QPushButton::clicked, this, &TeachSubsystem::assistantCloseClicked);
  connect(rowColours_.get(), &RowColoursController::rowColoursChanged, this,
          &TeachSubsystem::rowColoursChanged);
  connect(&frames, &FramePublisher::frame, this, [this](const MeasuredValues &values) {
    teach_->showFrame(values);
    rowColours_->showFrame(values);
    meanPanel_->showLive(values);
  });
}

void TeachSubsystem::assistantCloseClicked() {
  link_.stopAcquisition();
  shell_.showChildPanel(ChildPanel::Measurement);
}

TeachSubsystem::~TeachSubsystem() = default;

void TeachSubsystem::initAtStartup() {
  menu_->build();
}

std::vector<PageDeclaration> TeachSubsystem::pages() {
  return {{MainPage::RowColours, QStringLiteral("ROW COLORS"), 6, page_}};
}

std::vector<ChildPanelDeclaration> TeachSubsystem::childPanels() {
  return {
      {ChildPanel::MeanTeach, QStringLiteral("MEAN VALUE TEACH"), meanPanel_},
      {ChildPanel::RecordedTeach, QStringLiteral("TEACH FROM RECORDED VALUES"), recordedPanel_}};
}

std::vector<RememberedFile> TeachSubsystem::rememberedFiles() {
  QString &path = rowColours_->tableAttributesPath;
  return {{kTableAttributesFilePath, [&path] { return path; },
           [&path](const QString &p) { path = p; }}};
}

void TeachSubsystem::loadSettings(const IniText &doc) {
  // Rows the file does not hold keep their default colour and an empty text.
  rowColours_->readTableAttributeSections(doc, false);
  rowColours_->paintAllRows();
}

void TeachSubsystem::appendSections(IniText &doc) const {
  // A failed put only shortens the file; the write reports its own failure.
  (void)rowColours_->writeTableAttributeSections(doc);
}

} // namespace quorvane
