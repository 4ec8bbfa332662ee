#pragma once
// The parameter subsystem as the loops and the connection see it; each call can be
// observed or replaced.
#include "params/parameter_state.h"
#include "params/parameter_transfer.h"

#include <functional>

namespace quorvane::testing {

// The parameter subsystem as the loop sees it; each call can be observed.
struct FakeTransfer : ParameterTransfer {
  explicit FakeTransfer(ParameterState &state) : state(state) {}
  ParameterState &state;
  std::function<void()> getPanelValues, getPara, readCalculationMode;
  std::function<int()> sendPara;
  void GetPanelValues() override {
    if (getPanelValues) getPanelValues();
  }
  int SendPara() override { return sendPara ? sendPara() : 1; }
  void GetPara() override {
    if (getPara) getPara();
  }
  // The page shows what the record holds unless a test changes it at the read.
  int calculationMode() const override {
    if (readCalculationMode) readCalculationMode();
    return state.para.calculationMode;
  }
};

} // namespace quorvane::testing
