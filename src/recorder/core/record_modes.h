#pragma once
// The four record modes and which controls of the record page each one shows.
#include <cstdint>

namespace quorvane {

enum class RecordMode : int {
  Counted = 0,   // a set number of frames at a fixed interval
  Endless = 1,   // frames at a fixed interval until STOP
  Manual = 2,    // one frame per button press
  Triggered = 3, // frames the sensor sends by itself (auto-send)
};

struct RecordControls {
  bool interval = false;
  bool numberOfFrames = false;
  bool timeEstimate = false; // days, hours, minutes, seconds
  bool recordedCount = false;
  bool remainingCount = false;
  bool frameCounter = false;
  bool start = false;
  bool stop = false;
  bool recordOneFrame = false;
  bool startTriggered = false;

  bool operator==(const RecordControls &) const = default;
};

// The controls shown for the mode selector's value; every other control of the list is
// hidden. A value outside 0..3 shows only STOP, so nothing can start but a loop can end.
[[nodiscard]] RecordControls recordControlsFor(int mode);

// Modes 0 and 1 run the interval loop.
[[nodiscard]] constexpr bool isIntervalMode(int mode) {
  return mode == 0 || mode == 1;
}

} // namespace quorvane
