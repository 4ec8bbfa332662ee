#include "scope/core/scope_report.h"

#include "ini/utf8_cut.h"

#include <algorithm>

namespace quorvane {

std::vector<ReportLine> scopeReportLines(std::string_view panelId, std::string_view comment) {
  std::vector<ReportLine> lines;
  lines.push_back({std::string(kReportTitle), 20});
  lines.push_back({std::string(kReportVersion), 10});
  if (!panelId.empty()) lines.push_back({"PANEL ID: " + std::string(panelId), 10});
  lines.push_back({"", 10});
  if (!comment.empty()) {
    lines.push_back({"COMMENT:", 10});
    lines.push_back({std::string(utf8CharPrefix(comment, kReportCommentMax)), 10});
    lines.push_back({"", 10});
  }
  return lines;
}

PictureFit fitPicture(double width, double height, double spaceWidth, double spaceHeight) {
  if (!(width > 0.0 && height > 0.0 && spaceWidth > 0.0 && spaceHeight > 0.0)) return {};
  const double scale = std::min(spaceWidth / width, spaceHeight / height);
  return {scale, width * scale, height * scale};
}

std::string pageNumberText(int page, int pages) {
  return "page " + std::to_string(page) + " of " + std::to_string(pages);
}

} // namespace quorvane
