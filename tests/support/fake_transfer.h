#pragma once
// The parameter subsystem as the loops and the connection see it; each call can be
// observed or replaced.
#include "params/parameter_state.h"
#include "params/parameter_transfer.h"

#include <QCoroTask>

#include <functional>

namespace quorvane::testing {

// The parameter subsystem as the loop sees it; each call can be observed. SEND and GET
// succeed at once unless a test gives them a body.
struct FakeTransfer : ParameterTransfer {
  explicit FakeTransfer(const ParameterState &state) : state(state) {}
  const ParameterState &state;
  std::function<void()> readCalculationMode;
  std::function<QCoro::Task<bool>()> send, read;
  QCoro::Task<bool> sendParameters() override {
    if (!send) co_return true;
    co_return co_await send();
  }
  QCoro::Task<bool> readParameters(ParameterMemory) override {
    if (!read) co_return true;
    co_return co_await read();
  }
  // The page shows what the record holds unless a test changes it at the read.
  int calculationMode() const override {
    if (readCalculationMode) readCalculationMode();
    return state.para.calculationMode;
  }
};

} // namespace quorvane::testing
