#pragma once
// The s/i/M reference of the analog output: in the siM REF output mode the sensor takes
// the present s, i and M as its 5 V reference at a rising edge of its trigger input. The
// tool follows the trigger state of the frames it sees and keeps the values of the frame
// in which the trigger went from 0 to 1.
#include "live/core/measured_values.h"

#include <array>
#include <cstdint>
#include <optional>

namespace quorvane {

class SimReference {
public:
  // Returns true when `m` brought a new reference.
  bool update(const MeasuredValues &m);
  // s, i, M of the last rising edge; nullopt before the first one.
  [[nodiscard]] const std::optional<std::array<std::int16_t, 3>> &values() const { return values_; }

private:
  bool triggered_ = false;
  std::optional<std::array<std::int16_t, 3>> values_;
};

} // namespace quorvane
