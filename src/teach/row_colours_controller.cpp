#include "teach/row_colours_controller.h"

#include "ini/settings_header.h"
#include "live/core/current_colour.h"
#include "live/core/measured_values.h"
#include "params/parameter_controller.h"
#include "teach/core/table_attributes_file.h"
#include "teach/row_colours_page.h"
#include "ui/dialogs.h"

#include <QFileInfo>

namespace quorvane {
namespace {

constexpr int kRows = static_cast<int>(kTeachRows);
// A table attributes file holds a few kilobytes; anything far larger is not one and is not
// read into memory.
constexpr qint64 kMaxTableFileBytes = 1 << 20;

QString qs(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QColor colourOf(std::uint32_t rgb) {
  return QColor(static_cast<QRgb>(rgb));
}

} // namespace

RowColoursController::RowColoursController(RowColoursPage &page, ParameterController &parameters,
                                           Dialogs &dialogs, QObject *parent)
    : QObject(parent), page_(page), parameters_(parameters), dialogs_(dialogs) {
  connect(&page_, &RowColoursPage::modeCommitted, this,
          &RowColoursController::rowColourModeChanged);
  connect(&page_, &RowColoursPage::rowCommitted, this, &RowColoursController::showRowColourMode);
  connect(&page_, &RowColoursPage::colourCommitted, this, &RowColoursController::showRowColourMode);
  connect(&page_, &RowColoursPage::pickRequested, this, &RowColoursController::onPick);
  connect(&page_, &RowColoursPage::setRequested, this, &RowColoursController::setRowColourClicked);
  connect(&page_, &RowColoursPage::saveRequested, this,
          &RowColoursController::saveAttributesClicked);
  connect(&page_, &RowColoursPage::getRequested, this, &RowColoursController::getAttributesClicked);
  connect(&page_, &RowColoursPage::resetRequested, this,
          &RowColoursController::resetAttributesClicked);
}

void RowColoursController::showRowColourMode() {
  page_.showColourMode(page_.colourMode());
}

bool RowColoursController::automaticMode() const {
  return page_.colourMode() == kColourModeAutomatic;
}

void RowColoursController::setRowColour() {
  const int row = page_.selectedRow();
  if (!quorvane::setRowColour(attributes_, row, page_.selectedColour())) return;
  paintRow(row, attributes_.colors[static_cast<std::size_t>(row)]);
  coloursChanged();
  parameters_.redrawGraphs();
}

void RowColoursController::applyTaughtColour(int row, std::uint32_t rgb) {
  if (!quorvane::setRowColour(attributes_, row, rgb)) return;
  paintRow(row, attributes_.colors[static_cast<std::size_t>(row)]);
  coloursChanged();
}

void RowColoursController::resetAttributesClicked() {
  if (!dialogs_.confirm(qs(kTableAttrAttentionTitle), qs(kResetTableText))) return;
  attributes_ = defaultTableAttributes();
  for (int row = 0; row < kRows; ++row)
    page_.setSpecification(row, QString());
  paintAllRows();
}

void RowColoursController::paintRow(int row, std::uint32_t rgb) {
  const QColor colour = colourOf(rgb);
  parameters_.showRowColour(row, colour);
  page_.setRowColour(row, rgb);
}

void RowColoursController::paintAllRows() {
  for (int row = 0; row < kRows; ++row)
    paintRow(row, attributes_.colors[static_cast<std::size_t>(row)]);
  coloursChanged();
  parameters_.redrawGraphs();
}

void RowColoursController::coloursChanged() {
  Q_EMIT rowColoursChanged(teachRowColours());
}

TeachRowColours RowColoursController::teachRowColours() const {
  TeachRowColours colours{};
  std::copy_n(attributes_.colors.begin(), colours.size(), colours.begin());
  return colours;
}

void RowColoursController::showFrame(const MeasuredValues &values) {
  page_.showTemperature(values.temperature);
  page_.showLiveColour(currentColourOf(values).displayRgb());
}

void RowColoursController::onPick() {
  const auto chosen =
      dialogs_.selectColour(colourOf(page_.selectedColour()), QStringLiteral("COLOR"));
  if (!chosen) return;
  page_.setSelectedColour(static_cast<std::uint32_t>(chosen->rgb()) & kMaxRowColor);
  showRowColourMode();
}

// --- the table attributes file ---

int RowColoursController::writeTableAttributeSections(IniText &doc) {
  for (int row = 0; row < kRows; ++row) {
    const auto r = static_cast<std::size_t>(row);
    attributes_.colors[r] = page_.rowColour(row);
    attributes_.specifications[r] = cutRowSpecification(page_.specification(row).toStdString());
  }
  return quorvane::writeTableAttributeSections(doc, attributes_);
}

void RowColoursController::readTableAttributeSections(const IniText &doc, bool showMessage) {
  const std::vector<std::string> missing = quorvane::readTableAttributeSections(doc, attributes_);
  for (int row = 0; row < kRows; ++row)
    page_.setSpecification(row, qs(attributes_.specifications[static_cast<std::size_t>(row)]));
  if (showMessage && !missing.empty())
    dialogs_.message(qs(kMissingColoursTitle), qs(missingColoursMessage(missing)));
}

QString RowColoursController::chooseFile(bool save) {
  const QFileInfo last(tableAttributesPath);
  const FileSelection chosen = dialogs_.selectFile(
      last.absolutePath(), qs(kTableAttributesFileName), QStringLiteral("*.ini"),
      QStringLiteral("TableAttributes"), save ? FileDialogMode::Save : FileDialogMode::Open);
  const bool usable = save ? chosen.result != FileSelectResult::Cancelled
                           : chosen.result == FileSelectResult::ExistingFile;
  if (!usable || chosen.path.isEmpty()) {
    dialogs_.message(qs(kTableAttrAttentionTitle), qs(kNoFileSelectedText));
    return {};
  }
  tableAttributesPath = chosen.path;
  return chosen.path;
}

void RowColoursController::saveTableAttributes() {
  const QString path = chooseFile(true);
  if (path.isEmpty()) return;
  IniText doc;
  int result = putSettingsHeader(doc, kTableAttributesFileType);
  if (result >= 0) result = writeTableAttributeSections(doc);
  if (result >= 0) result = doc.writeToFile(path.toStdString());
  // The old file stays as it was; saying nothing would pass the failure off as a success.
  if (result < 0)
    dialogs_.message(qs(kTableAttrAttentionTitle),
                     QStringLiteral("The table attributes could not be saved to\n%1\n(error %2).")
                         .arg(path)
                         .arg(result));
}

void RowColoursController::readTableAttributes() {
  const QString path = chooseFile(false);
  if (path.isEmpty()) return;
  // Read as an empty document, such a file would pass as "not a table attributes file" and,
  // if the operator proceeded, reset every colour and text.
  if (QFileInfo(path).size() > kMaxTableFileBytes) {
    dialogs_.message(qs(kTableAttrAttentionTitle),
                     QStringLiteral("The file\n%1\nis larger than 1 MiB: it is not a table "
                                    "attributes file. \nNothing was read.")
                         .arg(path));
    return;
  }
  IniText doc;
  if (doc.readFromFile(path.toStdString()) < 0) {
    dialogs_.message(
        qs(kTableAttrAttentionTitle),
        QStringLiteral("The file\n%1\ncould not be read. \nNothing was read.").arg(path));
    return;
  }
  const auto declined = [this](std::string_view question) {
    if (dialogs_.confirm(qs(kTableAttrAttentionTitle), qs(question))) return false;
    dialogs_.message(qs(kTableAttrAttentionTitle), qs(kNothingReadText));
    return true;
  };
  if (!tableAttributesTypeMatches(doc) && declined(kNotTableFileText)) return;
  if (!tableAttributesVersionMatches(doc) && declined(kVersionMismatchText)) return;
  readTableAttributeSections(doc, true);
  paintAllRows();
}

} // namespace quorvane
