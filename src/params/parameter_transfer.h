#pragma once
// What other subsystems ask of the parameter subsystem: the controls into the records,
// SEND, GET, and the calculation mode the parameter page shows now.
#include <QCoroTask>

namespace quorvane {

class ParameterTransfer {
public:
  virtual ~ParameterTransfer() = default;
  virtual void GetPanelValues() = 0;
  // Both blocks to the sensor (and the EEPROM store when that is the target); true when
  // every exchange succeeded.
  [[nodiscard]] virtual QCoro::Task<bool> sendParameters() = 0;
  // Both blocks from the sensor into the records and pages; true when both arrived.
  virtual QCoro::Task<bool> readParameters() = 0;
  [[nodiscard]] virtual int calculationMode() const = 0;
};

} // namespace quorvane
