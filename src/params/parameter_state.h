#pragma once
// The parameter records the tool works on: the sensor's scalar block and teach table as
// last read from the panel and the transfer target.
#include "params/core/parameter_memory.h"
#include "params/core/sensor_parameters.h"
#include "params/core/teach_table.h"

namespace quorvane {

struct ParameterState {
  SensorParameters para;
  TeachTable table{};
  ParameterMemory memory = ParameterMemory::Ram;
  int paraSet = 0; // 0 = ParaSet0, 1 = ParaSet1
};

} // namespace quorvane
