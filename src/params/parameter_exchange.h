#pragma once
// The parameter exchanges with the sensor, free of pages: one parameter set (the scalar
// block and the teach table) read from or written to the sensor's RAM, with the EEPROM
// load before a read and the EEPROM store after a write when that memory is the target.
#include "params/core/parameter_memory.h"
#include "params/core/sensor_parameters.h"
#include "params/core/teach_table.h"

#include <QCoroTask>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

namespace quorvane {

class SensorLink;

// Log text after a block write the sensor found implausible (n = the reply word).
[[nodiscard]] QString ramPlausibilityMessage(unsigned n);
// Log text after an EEPROM load the sensor found implausible.
[[nodiscard]] QString eepromPlausibilityMessage(unsigned n);

struct ParameterSetRead {
  SensorParameters para;
  TeachTable table{};
  // Parameters the EEPROM load found implausible and set to their defaults (0 without a load).
  std::uint16_t eepromRejected = 0;
};

struct ParameterSetWritten {
  // Words the sensor found implausible and set to their defaults, per block.
  std::uint16_t recordRejected = 0;
  std::uint16_t tableRejected = 0;
};

// Reads parameter set `set` (0 or 1): with `memory` Eeprom the sensor first loads its EEPROM
// into RAM (order 4); then the scalar block (order 2, argument set) and the teach table
// (order 2, argument set + 2). `eepromRejected`, when given, hears a nonzero rejection of the
// load at once, before the blocks are read. Empty when an exchange failed (the link has
// reported it).
QCoro::Task<std::optional<ParameterSetRead>>
readParameterSet(SensorLink &link, ParameterMemory memory, int set,
                 std::function<void(std::uint16_t)> eepromRejected = {});

// Writes parameter set `set` (0 or 1): the scalar block (order 1, argument set), the teach
// table (order 1, argument set + 2), and with `toEeprom` the store of RAM into the EEPROM
// (order 3). A block the sensor found implausible is reported as a link failure
// (ramPlausibilityMessage) and the rest still goes out. Empty when an exchange failed.
QCoro::Task<std::optional<ParameterSetWritten>> writeParameterSet(SensorLink &link, int set,
                                                                  SensorParameters para,
                                                                  TeachTable table, bool toEeprom);

} // namespace quorvane
