#pragma once
// What the line program tells the shell, per sensor and for the whole run.
#include <algorithm>

namespace quorvane::cli {

enum ExitStatus : int {
  kDone = 0,
  kUsage = 1,        // the command line or a targets file is wrong
  kLinkFailure = 2,  // the sensor could not be reached or an exchange failed
  kDifferences = 3,  // verify or diff found fields that differ
  kRulesRefused = 4, // the panel rules would change the file's values
  kFileError = 5,    // a file could not be read or written
  kInterrupted = 130 // Ctrl+C before the work was done (the shell's convention)
};

// The run ends with the highest status of its sensors.
[[nodiscard]] inline int worstStatus(int a, int b) {
  return std::max(a, b);
}

} // namespace quorvane::cli
