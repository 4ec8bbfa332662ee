#pragma once
// Where settings and data files live.
#include <QString>

namespace quorvane {

// The program's own directory when files can be created in it and it is not a system
// program directory (/usr/bin and the like); otherwise the per-user configuration
// directory, created when missing.
[[nodiscard]] QString chooseDataDirectory(const QString &programDirectory,
                                          const QString &userConfigDirectory);

// chooseDataDirectory for the running program.
[[nodiscard]] QString dataDirectory();

// `directory` + the platform's separator + `name`.
[[nodiscard]] QString pathInDirectory(const QString &directory, const QString &name);

} // namespace quorvane
