#pragma once
// The scope print-out: the report lines, then the whole scope panel, its graphs drawn as
// vectors and everything else at the printer's resolution, captioned "Panel", and short
// date, time and page number at the foot of the page.
#include "scope/core/scope_report.h"

#include <vector>

class QPainter;
class QPrinter;
class QWidget;

namespace quorvane {

class GraphWidget;
class ScopePanel;

// Paints the report onto `printer`; false when the printer could not be opened or failed.
[[nodiscard]] bool paintScopeReport(QPrinter &printer, const std::vector<ReportLine> &lines,
                                    ScopePanel &panel);

} // namespace quorvane
