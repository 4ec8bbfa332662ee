#pragma once
// Progress on standard error (sensors done, frames taken), only when it is a terminal: a
// log or a pipe gets nothing.
#include <QString>

namespace quorvane::cli {

class ProgressLine {
public:
  ProgressLine();

  void setSensors(int total);
  void sensorDone();
  void frameTaken();
  // Takes the line away before other output.
  void clear();

private:
  void show();

  bool terminal_ = false;
  bool shown_ = false;
  int sensors_ = 0;
  int done_ = 0;
  int frames_ = 0;
};

} // namespace quorvane::cli
