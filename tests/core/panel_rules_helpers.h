#pragma once
// Shared set-up of the panel rule tests.
#include "params/core/panel_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvane::testing {

// Colour evaluation on (DIRECT LO, BEST HIT, X Y INT 2D, analog X Y INT): a state the rules
// leave alone, so each case only states what it varies.
inline SensorParameters colourSetup() {
  SensorParameters p;
  p.digitalOutmode = 1;
  p.evaluationMode = 1;
  p.calculationMode = 0;
  p.analogOutmode = 2;
  return p;
}

inline PanelView viewOf(const SensorParameters &p) {
  PanelView v;
  v.para = p;
  return v;
}

// The texts of the warnings due, each checked to carry the help title.
inline std::vector<std::string> warningTexts(const PanelView &v) {
  std::vector<std::string> texts;
  for (const auto &w : v.requests.warnings) {
    EXPECT_EQ(w.title, "INFO!");
    texts.push_back(w.text);
  }
  return texts;
}

} // namespace quorvane::testing
