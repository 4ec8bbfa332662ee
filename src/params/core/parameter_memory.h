#pragma once
// Where SEND writes and GET reads: the sensor's RAM, its EEPROM (through RAM) or a file.
namespace quorvane {

enum class ParameterMemory { Ram = 1, Eeprom = 2, File = 3 };

} // namespace quorvane
