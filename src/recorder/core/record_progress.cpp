#include "recorder/core/record_progress.h"

namespace quorvane {

void RecordProgress::countAttempt(int mode) {
  if (mode == 0)
    ++attempts_;
  else if (mode == 1)
    frameCounter_ += 1.0;
}

} // namespace quorvane
