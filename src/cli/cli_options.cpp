#include "cli/cli_options.h"

#include "app/core/tcp_target.h"
#include "cli/exit_status.h"
#include "link/core/baud_rate.h"

#include <QCommandLineParser>
#include <QFile>

#include <array>

namespace quorvane::cli {
namespace {

struct CommandEntry {
  const char *name;
  Command command;
};
constexpr std::array<CommandEntry, 7> kCommands{{{"identify", Command::Identify},
                                                 {"get", Command::Get},
                                                 {"send", Command::Send},
                                                 {"diff", Command::Diff},
                                                 {"measure", Command::Measure},
                                                 {"hwinfo", Command::HwInfo},
                                                 {"scan", Command::Scan}}};

constexpr std::array<const char *, 5> kTriggerNames{"single", "rising", "falling", "colour", "in0"};

const char *const kDescription =
    "Configures, checks and records QUORVANE ANA colour sensors without a window.\n"
    "\n"
    "Commands:\n"
    "  identify                 the handshake: firmware, serial number, protocol, port\n"
    "  get [-o FILE]            read a parameter set and teach table (--memory, --set)\n"
    "  send FILE [--verify]     send a parameter file (--memory, --set, --apply-rules)\n"
    "  diff A B                 compare; A and B each ram, eeprom or a parameter file\n"
    "  measure [-o FILE]        take frames (--count, --interval)\n"
    "  hwinfo -o FILE           write the hardware info file\n"
    "  scan -o FILE             one scope recording as CSV (--trigger, --level,\n"
    "                           --pre-trigger, --rate, --signal)\n"
    "\n"
    "Exit status: 0 done, 1 usage, 2 link failure, 3 differences found, 4 rule changes\n"
    "refused, 5 file error, 130 interrupted; with several sensors the highest.";

struct Failure {
  QString text;
  int status = kUsage;
};

std::optional<Target> tcpTarget(const QString &text) {
  const auto t = parseTcpTarget(text.trimmed().toStdString());
  if (!t) return std::nullopt;
  Target target;
  target.name = text.trimmed();
  target.settings.protocol = Protocol::Tcp;
  target.settings.ipAddress = t->host;
  target.settings.portNumber = t->port;
  return target;
}

// One address a line; blank lines and lines starting with '#' are skipped.
std::optional<Failure> readTargetsFile(const QString &path, std::vector<Target> &targets) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
    return Failure{
        QStringLiteral("cannot read the targets file %1: %2").arg(path, file.errorString()),
        kFileError};
  int lineNumber = 0;
  while (!file.atEnd()) {
    ++lineNumber;
    const QString line = QString::fromUtf8(file.readLine()).trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
    const auto target = tcpTarget(line);
    if (!target)
      return Failure{QStringLiteral("%1 line %2: \"%3\" is not HOST:PORT with a port from 1 to "
                                    "65535")
                         .arg(path)
                         .arg(lineNumber)
                         .arg(line)};
    targets.push_back(*target);
  }
  return std::nullopt;
}

std::optional<int> integerIn(const QString &text, int low, int high) {
  bool ok = false;
  const int v = text.toInt(&ok);
  if (!ok || v < low || v > high) return std::nullopt;
  return v;
}

std::optional<int> triggerMode(const QString &text) {
  for (std::size_t i = 0; i < kTriggerNames.size(); ++i)
    if (text.compare(QLatin1String(kTriggerNames[i]), Qt::CaseInsensitive) == 0)
      return static_cast<int>(i);
  return integerIn(text, 0, 4);
}

std::optional<DiffSource> diffSource(const QString &text) {
  DiffSource s;
  if (text == QLatin1String("ram")) {
    s.kind = DiffSource::Kind::Ram;
  } else if (text == QLatin1String("eeprom")) {
    s.kind = DiffSource::Kind::Eeprom;
  } else if (text.isEmpty()) {
    return std::nullopt;
  } else {
    s.kind = DiffSource::Kind::File;
    s.file = text;
  }
  return s;
}

} // namespace

QString commandName(Command c) {
  for (const CommandEntry &e : kCommands)
    if (e.command == c) return QLatin1String(e.name);
  return {};
}

ParseResult parseCommandLine(const QStringList &arguments,
                             const std::function<Target()> &savedTarget) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QString::fromLatin1(kDescription));
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Show this help."));
  const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Show the version."));
  const QCommandLineOption tcp(QStringLiteral("tcp"),
                               QStringLiteral("A sensor at HOST:PORT (repeatable)."),
                               QStringLiteral("HOST:PORT"));
  const QCommandLineOption targetsFile(QStringLiteral("targets"),
                                       QStringLiteral("The sensors listed in FILE, one "
                                                      "HOST:PORT a line."),
                                       QStringLiteral("FILE"));
  const QCommandLineOption serial(QStringLiteral("serial"),
                                  QStringLiteral("A sensor on the serial device DEVICE."),
                                  QStringLiteral("DEVICE"));
  const QCommandLineOption baud(QStringLiteral("baud"),
                                QStringLiteral("Serial line speed (default 115200)."),
                                QStringLiteral("RATE"));
  const QCommandLineOption json(QStringLiteral("json"),
                                QStringLiteral("One JSON object per sensor on stdout."));
  const QCommandLineOption memory(QStringLiteral("memory"),
                                  QStringLiteral("ram or eeprom (default ram)."),
                                  QStringLiteral("MEMORY"));
  const QCommandLineOption set(QStringLiteral("set"),
                               QStringLiteral("Parameter set 0 or 1 (default 0)."),
                               QStringLiteral("SET"));
  const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                  QStringLiteral("Write FILE; {serial} and {target} are "
                                                 "replaced per sensor."),
                                  QStringLiteral("FILE"));
  const QCommandLineOption verify(QStringLiteral("verify"),
                                  QStringLiteral("send: read the set back and compare."));
  const QCommandLineOption applyRules(QStringLiteral("apply-rules"),
                                      QStringLiteral("send: send the values the panel rules "
                                                     "correct instead of refusing."));
  const QCommandLineOption count(QStringLiteral("count"),
                                 QStringLiteral("measure: frames to take, 0 until Ctrl+C "
                                                "(default 1)."),
                                 QStringLiteral("N"));
  const QCommandLineOption interval(QStringLiteral("interval"),
                                    QStringLiteral("measure: seconds between frames (at least "
                                                   "0.25)."),
                                    QStringLiteral("S"));
  const QCommandLineOption trigger(QStringLiteral("trigger"),
                                   QStringLiteral("scan: single, rising, falling, colour or in0 "
                                                  "(or 0-4; default single)."),
                                   QStringLiteral("MODE"));
  const QCommandLineOption level(QStringLiteral("level"), QStringLiteral("scan: trigger level."),
                                 QStringLiteral("L"));
  const QCommandLineOption preTrigger(QStringLiteral("pre-trigger"),
                                      QStringLiteral("scan: samples kept before the trigger."),
                                      QStringLiteral("P"));
  const QCommandLineOption rate(QStringLiteral("rate"),
                                QStringLiteral("scan: one sample every R sensor cycles "
                                               "(default 1)."),
                                QStringLiteral("R"));
  const QCommandLineOption signal(QStringLiteral("signal"),
                                  QStringLiteral("scan: recorded signal 0 RGB, 1 X Y INT, 2 "
                                                 "analog outputs."),
                                  QStringLiteral("S"));
  parser.addOptions({help, version, tcp, targetsFile, serial, baud, json, memory, set, output,
                     verify, applyRules, count, interval, trigger, level, preTrigger, rate,
                     signal});
  parser.addPositionalArgument(QStringLiteral("command"),
                               QStringLiteral("identify, get, send, diff, measure, hwinfo or "
                                              "scan."));

  ParseResult result;
  auto fail = [&result](const QString &text, int status = kUsage) {
    result.error = text;
    result.status = status;
    return result;
  };
  if (!parser.parse(arguments)) return fail(parser.errorText());
  if (parser.isSet(help)) {
    result.text = parser.helpText();
    return result;
  }
  if (parser.isSet(version)) {
    result.text = QStringLiteral("quorvane-ana-cli 1.3.1\n");
    return result;
  }

  Options o;
  QStringList words = parser.positionalArguments();
  if (words.isEmpty()) return fail(QStringLiteral("no command given (see --help)"));
  const QString name = words.takeFirst();
  const auto entry = std::find_if(kCommands.begin(), kCommands.end(), [&](const CommandEntry &e) {
    return name == QLatin1String(e.name);
  });
  if (entry == kCommands.end()) return fail(QStringLiteral("unknown command \"%1\"").arg(name));
  o.command = entry->command;

  const int wanted = o.command == Command::Send ? 1 : o.command == Command::Diff ? 2 : 0;
  if (words.size() != wanted)
    return fail(o.command == Command::Send   ? QStringLiteral("send needs one parameter file")
                : o.command == Command::Diff ? QStringLiteral("diff needs two sources: ram, "
                                                              "eeprom or a parameter file")
                                             : QStringLiteral("%1 takes no further arguments "
                                                              "(\"%2\")")
                                                   .arg(name, words.join(QLatin1Char(' '))));
  if (o.command == Command::Send) o.file = words[0];
  if (o.command == Command::Diff) {
    const auto a = diffSource(words[0]);
    const auto b = diffSource(words[1]);
    if (!a || !b) return fail(QStringLiteral("diff sources must not be empty"));
    o.diffA = *a;
    o.diffB = *b;
  }

  o.json = parser.isSet(json);
  if (parser.isSet(memory)) {
    const QString m = parser.value(memory);
    if (m == QLatin1String("ram"))
      o.memory = Memory::Ram;
    else if (m == QLatin1String("eeprom"))
      o.memory = Memory::Eeprom;
    else
      return fail(QStringLiteral("--memory must be ram or eeprom, not \"%1\"").arg(m));
  }
  if (parser.isSet(set)) {
    const auto s = integerIn(parser.value(set), 0, 1);
    if (!s) return fail(QStringLiteral("--set must be 0 or 1"));
    o.set = *s;
  }
  o.output = parser.value(output);
  o.verify = parser.isSet(verify);
  o.applyRules = parser.isSet(applyRules);
  if (parser.isSet(count)) {
    const auto c = integerIn(parser.value(count), 0, 65535);
    if (!c) return fail(QStringLiteral("--count must be a number from 0 to 65535"));
    o.count = *c;
  }
  if (parser.isSet(interval)) {
    bool ok = false;
    o.interval = parser.value(interval).toDouble(&ok);
    if (!ok || !(o.interval >= 0)) return fail(QStringLiteral("--interval must be seconds"));
  }
  if (parser.isSet(trigger)) {
    const auto t = triggerMode(parser.value(trigger));
    if (!t) return fail(QStringLiteral("--trigger must be single, rising, falling, colour or in0"));
    o.scope.triggerMode = static_cast<std::uint16_t>(*t);
  }
  struct Word {
    const QCommandLineOption &option;
    std::uint16_t &value;
    int low, high;
  };
  for (const Word &w :
       {Word{level, o.scope.triggerLevel, 0, 65535}, Word{preTrigger, o.scope.preTrigger, 0, 65535},
        Word{rate, o.scope.scanRate, 1, 65535}, Word{signal, o.scope.recordedSignal, 0, 2}}) {
    if (!parser.isSet(w.option)) continue;
    const auto v = integerIn(parser.value(w.option), w.low, w.high);
    if (!v)
      return fail(QStringLiteral("--%1 must be a number from %2 to %3")
                      .arg(w.option.names().constFirst())
                      .arg(w.low)
                      .arg(w.high));
    w.value = static_cast<std::uint16_t>(*v);
  }
  if (o.command == Command::Scan) {
    const std::string_view refused = checkScopeSettings(o.scope);
    if (!refused.empty())
      return fail(QString::fromUtf8(refused.data(), static_cast<qsizetype>(refused.size())));
  }
  if ((o.command == Command::HwInfo || o.command == Command::Scan) && o.output.isEmpty())
    return fail(QStringLiteral("%1 needs -o FILE").arg(name));
  if (!o.output.isEmpty() && o.command != Command::Get && o.command != Command::Measure &&
      o.command != Command::HwInfo && o.command != Command::Scan)
    return fail(QStringLiteral("%1 writes no file (-o)").arg(name));

  // Where the sensors are.
  for (const QString &t : parser.values(tcp)) {
    const auto target = tcpTarget(t);
    if (!target)
      return fail(
          QStringLiteral("--tcp \"%1\" is not HOST:PORT with a port from 1 to 65535").arg(t));
    o.targets.push_back(*target);
  }
  if (parser.isSet(targetsFile)) {
    if (const auto failure = readTargetsFile(parser.value(targetsFile), o.targets))
      return fail(failure->text, failure->status);
  }
  if (parser.isSet(serial)) {
    if (!o.targets.empty())
      return fail(QStringLiteral("--serial cannot be combined with --tcp "
                                 "or --targets"));
    if (parser.values(serial).size() > 1) return fail(QStringLiteral("one --serial device only"));
    Target t;
    t.name = parser.value(serial);
    t.settings.protocol = Protocol::Rs232;
    t.settings.comDevice = t.name.toStdString();
    o.targets.push_back(t);
  }
  if (parser.isSet(baud)) {
    if (!parser.isSet(serial)) return fail(QStringLiteral("--baud needs --serial"));
    const auto r = integerIn(parser.value(baud), 1, 1000000000);
    const auto known = r ? std::find(kBaudRates.begin(), kBaudRates.end(), *r) : kBaudRates.end();
    if (known == kBaudRates.end())
      return fail(QStringLiteral("--baud must be one of 9600, 19200, 38400, 57600, 115200, "
                                 "230400, 460800, 921600"));
    o.targets.front().settings.baudCode = static_cast<std::uint16_t>(known - kBaudRates.begin());
  }
  if (o.targets.empty() && o.needsSensor()) {
    if (parser.isSet(targetsFile))
      return fail(
          QStringLiteral("the targets file %1 lists no sensor").arg(parser.value(targetsFile)));
    o.targets.push_back(savedTarget());
  }
  if (!o.needsSensor()) o.targets.clear();
  if (o.targets.size() > 1 && !o.output.isEmpty() &&
      !o.output.contains(QLatin1String("{serial}")) &&
      !o.output.contains(QLatin1String("{target}")))
    return fail(QStringLiteral("with several sensors -o needs {serial} or {target} in the file "
                               "name"));

  result.options = o;
  return result;
}

} // namespace quorvane::cli
