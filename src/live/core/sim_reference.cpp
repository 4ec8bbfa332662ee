#include "live/core/sim_reference.h"

namespace quorvane {

bool SimReference::update(const MeasuredValues &m) {
  const bool triggered = m.trigger != 0;
  const bool rising = triggered && !triggered_;
  triggered_ = triggered;
  if (rising) values_ = std::array<std::int16_t, 3>{m.x, m.y, m.intensity};
  return rising;
}

} // namespace quorvane
