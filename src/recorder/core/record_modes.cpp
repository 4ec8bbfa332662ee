#include "recorder/core/record_modes.h"

namespace quorvane {

RecordControls recordControlsFor(int mode) {
  RecordControls c;
  switch (mode) {
  case 0:
    c.interval = c.numberOfFrames = c.timeEstimate = true;
    c.recordedCount = c.remainingCount = true;
    c.start = c.stop = true;
    break;
  case 1:
    c.interval = c.frameCounter = true;
    c.start = c.stop = true;
    break;
  case 2:
    c.recordedCount = c.recordOneFrame = true;
    break;
  case 3:
    c.frameCounter = c.stop = c.startTriggered = true;
    break;
  default:
    c.stop = true;
    break;
  }
  return c;
}

} // namespace quorvane
