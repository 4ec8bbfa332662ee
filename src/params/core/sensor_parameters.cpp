#include "params/core/sensor_parameters.h"

#include "link/core/bytes.h"

namespace quorvane {

ParameterBytes encodeParameters(const SensorParameters &p) {
  ParameterBytes out{};
  for (std::size_t i = 0; i < kParameterCount; ++i)
    putLe16(&out[2 * i], p.*(kParameterFields[i].member));
  return out;
}

SensorParameters decodeParameters(std::span<const std::uint8_t> bytes) {
  ParameterBytes full{};
  for (std::size_t i = 0; i < full.size() && i < bytes.size(); ++i) full[i] = bytes[i];
  SensorParameters p;
  for (std::size_t i = 0; i < kParameterCount; ++i)
    p.*(kParameterFields[i].member) = getLe16(&full[2 * i]);
  return p;
}

} // namespace quorvane
