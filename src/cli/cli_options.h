#pragma once
// The command line of quorvane-ana-cli: one command, where the sensors are, and the
// command's options, checked before any sensor is touched.
#include "link/core/communication_settings.h"
#include "scope/core/scope_settings.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace quorvane::cli {

enum class Command { Identify, Get, Send, Diff, Measure, HwInfo, Scan };

// A parameter memory of the sensor.
enum class Memory { Ram, Eeprom };

// One side of a diff: the sensor's RAM or EEPROM, or a parameter file.
struct DiffSource {
  enum class Kind { Ram, Eeprom, File } kind = Kind::Ram;
  QString file;
  [[nodiscard]] bool sensor() const { return kind != Kind::File; }
};

// A sensor to talk to and the name it is reported under.
struct Target {
  QString name; // "host:port" or the serial device
  CommunicationSettings settings;
};

struct Options {
  Command command = Command::Identify;
  std::vector<Target> targets;
  bool json = false;

  Memory memory = Memory::Ram;
  int set = 0;
  QString file;   // send: the parameter file
  QString output; // -o; "{serial}" and "{target}" are replaced per sensor
  bool verify = false;
  bool applyRules = false;
  DiffSource diffA, diffB;

  int count = 1;          // measure: frames to take, 0 = until interrupted
  double interval = 0.25; // measure: seconds between requests (at least 0.25)
  ScopeSettings scope;

  // The command talks to sensors (a diff of two files does not).
  [[nodiscard]] bool needsSensor() const {
    return command != Command::Diff || diffA.sensor() || diffB.sensor();
  }
};

struct ParseResult {
  std::optional<Options> options;
  QString error;  // usage error (exit status 1), or the error of a targets file
  int status = 0; // the exit status when options is empty
  QString text;   // --help or --version text for stdout
};

// `savedTarget` supplies the connection kept in the panel settings when no --tcp, --targets
// or --serial is given.
[[nodiscard]] ParseResult parseCommandLine(const QStringList &arguments,
                                           const std::function<Target()> &savedTarget);

[[nodiscard]] QString commandName(Command c);

} // namespace quorvane::cli
