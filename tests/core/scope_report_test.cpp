#include "scope/core/scope_report.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane {
namespace {

TEST(ScopeReport, LinesFollowIdentificationAndComment) {
  using L = std::vector<ReportLine>;
  const ReportLine title{"Scope Screen Shot", 20};
  const ReportLine version{"QUORVANE ANA Scope V1.3", 10};
  const ReportLine empty{"", 10};
  const struct {
    std::string id, comment;
    L expected;
  } cases[] = {
      {"", "", {title, version, empty}},
      {"Line 7", "", {title, version, {"PANEL ID: Line 7", 10}, empty}},
      {"", "belt\nfast", {title, version, empty, {"COMMENT:", 10}, {"belt\nfast", 10}, empty}},
      {"A", "x", {title, version, {"PANEL ID: A", 10}, empty, {"COMMENT:", 10}, {"x", 10}, empty}},
  };
  for (const auto &c : cases)
    EXPECT_EQ(scopeReportLines(c.id, c.comment), c.expected) << c.id << "/" << c.comment;

  // A long comment keeps its first 1023 characters, of one to four bytes each.
  std::string comment;
  for (int i = 0; i < 256; ++i)
    comment += "c\u00e4\u20ac\U0001F600";
  EXPECT_EQ(scopeReportLines("", comment)[4].text, comment.substr(0, comment.size() - 4));
}

TEST(ScopeReport, PictureFitsTheSpaceKeepingItsAspect) {
  const struct {
    double w, h, sw, sh;
    PictureFit expected;
  } cases[] = {
      {800, 600, 1600, 2400, {2.0, 1600, 1200}}, // width decides
      {800, 600, 4000, 900, {1.5, 1200, 900}},   // height decides
      {800, 600, 400, 300, {0.5, 400, 300}},     // shrinks
      {0, 600, 400, 300, {}},                    // no picture
      {800, 600, 400, -5, {}},                   // no space left on the page
  };
  for (const auto &c : cases)
    EXPECT_EQ(fitPicture(c.w, c.h, c.sw, c.sh), c.expected) << c.w << "x" << c.h;
  EXPECT_EQ(pageNumberText(1, 1), "page 1 of 1");
}

} // namespace
} // namespace quorvane
