#include "cli/progress_line.h"

#include <cstdio>
#include <unistd.h>

namespace quorvane::cli {

ProgressLine::ProgressLine() : terminal_(::isatty(STDERR_FILENO) == 1) {}

void ProgressLine::setSensors(int total) {
  sensors_ = total;
  show();
}

void ProgressLine::sensorDone() {
  ++done_;
  show();
}

void ProgressLine::frameTaken() {
  ++frames_;
  show();
}

void ProgressLine::show() {
  if (!terminal_) return;
  QString text = QStringLiteral("sensors done %1/%2").arg(done_).arg(sensors_);
  if (frames_ > 0) text += QStringLiteral(", frames taken %1").arg(frames_);
  std::fprintf(stderr, "\r\033[K%s", qPrintable(text));
  std::fflush(stderr);
  shown_ = true;
}

void ProgressLine::clear() {
  if (!shown_) return;
  std::fputs("\r\033[K", stderr);
  std::fflush(stderr);
  shown_ = false;
}

} // namespace quorvane::cli
