#pragma once
// What other subsystems ask of the parameter subsystem: SEND, GET, and the calculation mode
// of the parameter data.
#include "params/core/parameter_memory.h"

#include <QCoroTask>

namespace quorvane {

class ParameterTransfer {
public:
  virtual ~ParameterTransfer() = default;
  // Both blocks to the sensor (and the EEPROM store when that is the target); true when
  // every exchange succeeded.
  [[nodiscard]] virtual QCoro::Task<bool> sendParameters() = 0;
  // Both blocks of the current set from the sensor's `from` memory (EEPROM: loaded into RAM
  // first) into the records and pages; true when both arrived. The memory target stays.
  virtual QCoro::Task<bool> readParameters(ParameterMemory from) = 0;
  [[nodiscard]] virtual int calculationMode() const = 0;
};

} // namespace quorvane
