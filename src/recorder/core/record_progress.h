#pragma once
// The counters of a recording: the 16-bit recorded and remaining counts of mode 0 (and the
// recorded count of mode 2), and the frame counter of modes 1 and 3.
#include <cstdint>

namespace quorvane {

class RecordProgress {
public:
  // A fresh recording of `frames` frames (mode 0); 0 means "until STOP".
  explicit RecordProgress(std::uint16_t frames = 0) : frames_(frames) {}

  // One pass of the interval loop in `mode`, counted whether or not its exchange worked.
  void countAttempt(int mode);
  // One frame appended by the record-one-frame button.
  void countManual() { ++attempts_; }
  // One frame received from the sensor's auto-send.
  void countTriggered() { frameCounter_ += 1.0; }

  // Mode 0 has taken its frames. A count of 0 is never reached by counting up: the 16-bit
  // display wraps after 65,536 frames, but such a recording still runs until STOP.
  [[nodiscard]] bool finished() const { return frames_ != 0 && attempts_ >= frames_; }

  [[nodiscard]] std::uint16_t frames() const { return frames_; }
  // As the displays show them: 16 bits, so they wrap after 65,535.
  [[nodiscard]] std::uint16_t recordedCount() const {
    return static_cast<std::uint16_t>(attempts_);
  }
  [[nodiscard]] std::uint16_t remainingCount() const {
    return static_cast<std::uint16_t>(frames_ - recordedCount());
  }
  [[nodiscard]] double frameCounter() const { return frameCounter_; }

private:
  std::uint16_t frames_;
  std::uint64_t attempts_ = 0; // not wrapped, so that the end is never missed or faked
  double frameCounter_ = 0.0;
};

} // namespace quorvane
