#pragma once
// What the scope print-out says: its text lines in order, and where the panel picture goes.
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

inline constexpr std::string_view kReportFont = "Arial";
inline constexpr std::string_view kReportTitle = "Scope Screen Shot";
inline constexpr std::string_view kReportVersion = "QUORVANE ANA Scope V1.3";
inline constexpr std::string_view kReportPictureCaption = "Panel";
inline constexpr std::size_t kReportCommentMax = 1023;

struct ReportLine {
  std::string text; // empty: an empty line
  int pointSize = 10;
  bool operator==(const ReportLine &) const = default;
};

// Title, version, "PANEL ID: " and the identification (when there is one), an empty line,
// then "COMMENT:", the comment (UTF-8; its first 1023 characters) and an empty line when
// there is one.
[[nodiscard]] std::vector<ReportLine> scopeReportLines(std::string_view panelId,
                                                       std::string_view comment);

struct PictureFit {
  double scale = 0.0;
  double width = 0.0;
  double height = 0.0;
  bool operator==(const PictureFit &) const = default;
};

// The largest scale that fits a picture of `width` x `height` into the space given, keeping
// its aspect; 0 for a picture or a space without extent.
[[nodiscard]] PictureFit fitPicture(double width, double height, double spaceWidth,
                                    double spaceHeight);

// "page n of m".
[[nodiscard]] std::string pageNumberText(int page, int pages);

} // namespace quorvane
