#include "cli/sensor_job.h"

#include "cli/exit_status.h"
#include "cli/interrupt_notifier.h"
#include "cli/sensor_json.h"
#include "ini/ini_text.h"
#include "link/core/connection_texts.h"
#include "link/sensor_connect.h"
#include "link/sensor_link.h"
#include "live/core/measured_values.h"
#include "params/core/parameter_diff.h"
#include "params/core/parameter_file.h"
#include "params/parameter_exchange.h"
#include "recorder/core/line_append.h"
#include "recorder/core/record_file.h"
#include "recorder/core/record_time.h"
#include "scope/core/scope_csv.h"
#include "scope/scope_scan.h"
#include "service/core/hardware_info.h"
#include "service/hardware_info_read.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>

#include <chrono>
#include <ctime>
#include <memory>

namespace quorvane::cli {
namespace {

QString qs(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string localPath(const QString &path) {
  return QFile::encodeName(path).toStdString();
}

ParameterMemory exchangeMemory(Memory m) {
  return m == Memory::Eeprom ? ParameterMemory::Eeprom : ParameterMemory::Ram;
}

QString memoryName(Memory m) {
  return m == Memory::Eeprom ? QStringLiteral("eeprom") : QStringLiteral("ram");
}

// The sensor's part of one job: its link, its identity and the report being built.
class Job {
public:
  Job(const Target &target, JobContext &context) : target_(target), context_(context) {
    report_.warnings = context_.fileWarnings;
    QObject::connect(&context_.interrupt, &InterruptNotifier::interrupt, &link_,
                     &SensorLink::stopAcquisition);
  }

  QCoro::Task<SensorReport> run();

private:
  QCoro::Task<bool> connect();
  QCoro::Task<> get();
  QCoro::Task<> send();
  QCoro::Task<> diff();
  QCoro::Task<> measure();
  QCoro::Task<> scan();
  QCoro::Task<> hwinfo();

  // The link failed: its own message is the report.
  void linkFailed() { fail(kLinkFailure, link_.errorText()); }
  void fail(int status, const QString &error) {
    report_.status = worstStatus(report_.status, status);
    if (report_.error.isEmpty()) report_.error = error;
  }
  [[nodiscard]] bool interrupted() const { return context_.interrupt.interrupted(); }
  // Stops the job when Ctrl+C came between two steps.
  bool stopIfInterrupted() {
    if (!interrupted()) return false;
    fail(kInterrupted, QStringLiteral("interrupted"));
    return true;
  }
  [[nodiscard]] QString output() const {
    return outputPath(context_.options.output, target_, serialNumber_);
  }
  QCoro::Task<std::optional<ParameterSetRead>> readSet(Memory memory);

  const Target &target_;
  JobContext &context_;
  SensorLink link_;
  SensorReport report_;
  std::uint16_t serialNumber_ = 0;
};

QCoro::Task<SensorReport> Job::run() {
  const bool connected = co_await connect();
  if (connected && !stopIfInterrupted()) {
    switch (context_.options.command) {
    case Command::Identify:
      break;
    case Command::Get:
      co_await get();
      break;
    case Command::Send:
      co_await send();
      break;
    case Command::Diff:
      co_await diff();
      break;
    case Command::Measure:
      co_await measure();
      break;
    case Command::Scan:
      co_await scan();
      break;
    case Command::HwInfo:
      co_await hwinfo();
      break;
    }
  }
  link_.closeSerial();
  if (link_.tcpConnected()) link_.disconnectTcp();
  co_return report_;
}

QCoro::Task<bool> Job::connect() {
  link_.setSettings(target_.settings);
  const int opened = co_await openTransport(link_);
  if (opened < 0) {
    linkFailed();
    if (const QString diagnosis = serialOpenDiagnosisLine(link_, opened); !diagnosis.isEmpty())
      report_.error += QLatin1Char('\n') + diagnosis.trimmed();
    co_return false;
  }
  const SensorIdentification id = co_await identifySensor(link_);
  if (!id.answered) {
    linkFailed();
    co_return false;
  }
  serialNumber_ = id.serialNumber;
  report_.json.insert(QStringLiteral("firmware"), QString::fromLatin1(id.firmware));
  report_.json.insert(QStringLiteral("serial_number"), id.serialNumber);
  report_.json.insert(QStringLiteral("protocol"), target_.settings.protocol == Protocol::Tcp
                                                      ? QStringLiteral("tcp")
                                                      : QStringLiteral("rs232"));
  report_.json.insert(QStringLiteral("port"), target_.name);
  if (!id.matches) {
    // The window offers offline work here; without one the sensor is refused.
    std::string text = connecttext::firmwareMismatch(firmwareVersion(id.parts), id.serialNumber);
    text.erase(text.find("\n\n"));
    fail(kLinkFailure, QString::fromLatin1(text));
    co_return false;
  }
  link_.markVerified();
  if (context_.options.command == Command::Identify) {
    report_.lines
        << QStringLiteral("FIRMWARE: %1").arg(QString::fromLatin1(firmwareDisplayText(id.parts)))
        << QStringLiteral("SERIAL NUMBER: %1").arg(id.serialNumber)
        << QStringLiteral("PROTOCOL: %1 %2")
               .arg(target_.settings.protocol == Protocol::Tcp ? QStringLiteral("TCP/IP")
                                                               : QStringLiteral("RS-232"),
                    target_.name);
  }
  co_return true;
}

QCoro::Task<std::optional<ParameterSetRead>> Job::readSet(Memory memory) {
  auto read = co_await readParameterSet(
      link_, exchangeMemory(memory), context_.options.set, [this](std::uint16_t rejected) {
        report_.warnings << eepromPlausibilityMessage(rejected).trimmed();
      });
  if (!read) linkFailed();
  co_return read;
}

QCoro::Task<> Job::get() {
  const Options &o = context_.options;
  const auto read = co_await readSet(o.memory);
  if (!read) co_return;
  report_.json.insert(QStringLiteral("memory"), memoryName(o.memory));
  report_.json.insert(QStringLiteral("set"), o.set);
  report_.json.insert(QStringLiteral("parameters"), parametersJson(read->para));
  report_.json.insert(QStringLiteral("teach_table"), teachTableJson(read->para, read->table));
  if (o.output.isEmpty()) {
    report_.lines << parameterLines(read->para, read->table);
    co_return;
  }
  const QString path = output();
  // The store writes a temporary file and renames it: the file is whole or not there.
  const int written = parameterDocument(read->para, read->table).writeToFile(localPath(path));
  if (written < 0) {
    fail(kFileError, QStringLiteral("%1 could not be written (error %2)").arg(path).arg(written));
    co_return;
  }
  report_.json.insert(QStringLiteral("file"), path);
  report_.lines << QStringLiteral("parameter set %1 (%2) written to %3")
                       .arg(o.set)
                       .arg(memoryName(o.memory).toUpper(), path);
}

QCoro::Task<> Job::send() {
  const Options &o = context_.options;
  report_.json.insert(QStringLiteral("memory"), memoryName(o.memory));
  report_.json.insert(QStringLiteral("set"), o.set);
  report_.json.insert(QStringLiteral("file"), o.file);
  // The reserved word of every teach row goes back as the sensor holds it, as after the
  // window's read: a file does not carry it.
  const auto current = co_await readSet(Memory::Ram);
  if (!current || stopIfInterrupted()) co_return;
  TeachTable table = context_.sendSet.table;
  for (std::size_t r = 0; r < kTeachRows; ++r)
    table[r].reserved = current->table[r].reserved;

  const auto written = co_await writeParameterSet(link_, o.set, context_.sendSet.para, table,
                                                  o.memory == Memory::Eeprom);
  if (!written) {
    linkFailed();
    co_return;
  }
  if (written->recordRejected != 0 || written->tableRejected != 0) {
    // Reported as a link failure: the sensor replaced values with its defaults.
    linkFailed();
    co_return;
  }
  report_.lines << QStringLiteral("sent %1 to parameter set %2 (%3)")
                       .arg(o.file)
                       .arg(o.set)
                       .arg(memoryName(o.memory).toUpper());
  if (!o.verify || stopIfInterrupted()) co_return;

  const auto back = co_await readSet(o.memory);
  if (!back) co_return;
  const auto differences =
      diffParameterSets(context_.sendSet.para, context_.sendSet.table, back->para, back->table);
  report_.json.insert(QStringLiteral("verified"), differences.empty());
  report_.json.insert(QStringLiteral("differences"), differencesJson(differences));
  if (differences.empty()) {
    report_.lines << QStringLiteral("verified: every field as sent");
    co_return;
  }
  fail(kDifferences, QStringLiteral("verify found %1 fields that differ (sent -> read back)")
                         .arg(differences.size()));
  for (const FieldDifference &d : differences)
    report_.lines << qs(differenceText(d));
}

QCoro::Task<> Job::diff() {
  const Options &o = context_.options;
  // Reading the EEPROM loads it into RAM, so RAM is read first whatever the order.
  std::optional<ParameterSetRead> ram, eeprom;
  const auto need = [&](DiffSource::Kind k) { return o.diffA.kind == k || o.diffB.kind == k; };
  if (need(DiffSource::Kind::Ram)) {
    ram = co_await readSet(Memory::Ram);
    if (!ram || stopIfInterrupted()) co_return;
  }
  if (need(DiffSource::Kind::Eeprom)) {
    eeprom = co_await readSet(Memory::Eeprom);
    if (!eeprom) co_return;
  }
  const auto side = [&](const DiffSource &s, const ParameterSetFile &file) {
    switch (s.kind) {
    case DiffSource::Kind::Ram:
      return ParameterSetFile{ram->para, ram->table};
    case DiffSource::Kind::Eeprom:
      return ParameterSetFile{eeprom->para, eeprom->table};
    case DiffSource::Kind::File:
      break;
    }
    return file;
  };
  const ParameterSetFile a = side(o.diffA, context_.diffFileA);
  const ParameterSetFile b = side(o.diffB, context_.diffFileB);
  report_.json.insert(QStringLiteral("set"), o.set);
  const auto differences = diffParameterSets(a.para, a.table, b.para, b.table);
  report_.json.insert(QStringLiteral("differences"), differencesJson(differences));
  for (const FieldDifference &d : differences)
    report_.lines << qs(differenceText(d));
  if (!differences.empty()) report_.status = worstStatus(report_.status, kDifferences);
}

QCoro::Task<> Job::measure() {
  const Options &o = context_.options;
  const QString path = o.output.isEmpty() ? QString() : output();
  if (!path.isEmpty()) {
    const FileWriteResult header =
        startFileWith(localPath(path), recordFileHeaderText(context_.panelId));
    if (!header.ok()) {
      fail(kFileError, QStringLiteral("%1: %2").arg(path, qs(header.message())));
      co_return;
    }
  }
  const auto interval = std::chrono::nanoseconds(
      static_cast<qint64>(correctRecordInterval(o.interval).seconds * 1e9));
  QJsonArray frames;
  int taken = 0;
  bool fileFailed = false;
  // Taken as the recorder's interval recording: the link's Recording acquisition, so Ctrl+C
  // ends it between two frames and a link failure ends it at once.
  link_.setAcquisitionTask(Acquisition::Recording, [&]() -> QCoro::Task<> {
    QElapsedTimer clock;
    clock.start();
    qint64 turnStart = 0;
    while (link_.acquisitionRunning()) {
      const LinkReply reply = co_await link_.request(Order::ReadMeasurement, 0);
      if (!reply) break;
      const MeasuredValues m = decodeMeasuredValues(reply.payload);
      const RecordTimestamp when = localRecordTimestamp(std::time(nullptr));
      ++taken;
      if (context_.frameTaken) context_.frameTaken();
      if (!path.isEmpty()) {
        const FileWriteResult line = appendLineToFile(localPath(path), recordLineText(when, m));
        if (!line.ok()) {
          fail(kFileError, QStringLiteral("%1: %2").arg(path, qs(line.message())));
          fileFailed = true;
          break;
        }
      } else if (o.json) {
        frames.append(frameJson(when, m));
      } else if (context_.frameLine) {
        context_.frameLine(target_, qs(recordLineText(when, m)).trimmed());
      }
      if (o.count != 0 && taken >= o.count) break;
      const qint64 due = turnStart + interval.count();
      const qint64 remaining = due - clock.nsecsElapsed();
      if (remaining <= 0) {
        turnStart = clock.nsecsElapsed();
        continue;
      }
      if (!co_await link_.pause(
              std::chrono::ceil<std::chrono::milliseconds>(std::chrono::nanoseconds(remaining))))
        break;
      turnStart = due;
    }
  });
  if (!link_.startAcquisition(Acquisition::Recording)) co_return;
  co_await link_.acquisitionEnded();

  report_.json.insert(QStringLiteral("frames_taken"), taken);
  if (!path.isEmpty())
    report_.json.insert(QStringLiteral("file"), path);
  else if (o.json)
    report_.json.insert(QStringLiteral("frames"), frames);
  if (fileFailed) co_return;
  if (!link_.linkOk()) {
    linkFailed();
  } else if (interrupted() && !(o.count == 0 && taken > 0)) {
    // Counting up to N was cut short; an endless recording ends with Ctrl+C by design.
    fail(kInterrupted, QStringLiteral("interrupted after %1 frames").arg(taken));
  }
  if (!path.isEmpty())
    report_.lines << QStringLiteral("%1 frames recorded to %2").arg(taken).arg(path);
}

QCoro::Task<> Job::scan() {
  const Options &o = context_.options;
  ScopeScanResult scanned;
  link_.setAcquisitionTask(Acquisition::Scope, [&]() -> QCoro::Task<> {
    scanned = co_await runScopeScan(link_, o.scope);
  });
  if (!link_.startAcquisition(Acquisition::Scope)) co_return;
  co_await link_.acquisitionEnded();
  switch (scanned.end) {
  case ScanEnd::Drawn:
    break;
  case ScanEnd::NotStarted:
    if (!scanned.refused.empty()) {
      fail(kUsage, qs(scanned.refused));
      co_return;
    }
    [[fallthrough]];
  case ScanEnd::Failed:
  case ScanEnd::Stopped:
  case ScanEnd::None:
    if (!link_.linkOk())
      linkFailed();
    else
      fail(kInterrupted, QStringLiteral("interrupted: the scan was broken off"));
    co_return;
  }
  const QString path = output();
  const std::string text = scopeCsvText(scanned.buffers, o.scope.recordedSignal);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(text.data(), static_cast<qint64>(text.size())) !=
          static_cast<qint64>(text.size()) ||
      !file.commit()) {
    fail(kFileError, QStringLiteral("%1 could not be written: %2").arg(path, file.errorString()));
    co_return;
  }
  report_.json.insert(QStringLiteral("file"), path);
  report_.json.insert(QStringLiteral("samples"), static_cast<int>(kScopeSamples));
  report_.lines << QStringLiteral("scan of %1 samples written to %2").arg(kScopeSamples).arg(path);
}

QCoro::Task<> Job::hwinfo() {
  // The window's order: the parameters as the sensor's RAM holds them, the calibration data,
  // the hardware information block; then the file, whole or not at all.
  const auto params = co_await readSet(Memory::Ram);
  if (!params || stopIfInterrupted()) co_return;
  const auto calibration = co_await readCalibrationData(link_);
  if (!calibration) {
    linkFailed();
    co_return;
  }
  if (stopIfInterrupted()) co_return;
  const auto block = co_await readHardwareInfoBlock(link_);
  if (!block) {
    linkFailed();
    co_return;
  }
  const std::string firmware = link_.firmwareText().toStdString();
  HardwareInfoInput input;
  input.firmware = firmware;
  input.block = *block;
  input.calibration = calibration->data;
  input.parameters = params->para;
  input.teachTable = params->table;
  const HardwareInfoDocument document = hardwareInfoDocument(input);
  const QString path = output();
  const int written = document.doc.writeToFile(localPath(path));
  if (written < 0) {
    fail(kFileError, QStringLiteral("%1 could not be written (error %2)").arg(path).arg(written));
    co_return;
  }
  if (!calibration->complete())
    report_.warnings << qs(hardwareInfoCalibrationMissingLog(*calibration)).trimmed();
  if (document.blockTruncated)
    report_.warnings << qs(hardwareInfoTruncatedLog(block->size())).trimmed();
  report_.json.insert(QStringLiteral("file"), path);
  report_.lines << qs(hardwareInfoSavedLog(path.toStdString())).simplified();
}

} // namespace

QString outputPath(const QString &pattern, const Target &target, std::uint16_t serialNumber) {
  QString safeName = target.name;
  for (QChar &c : safeName)
    if (!c.isLetterOrNumber() && c != QLatin1Char('.') && c != QLatin1Char('-'))
      c = QLatin1Char('_');
  QString path = pattern;
  path.replace(QLatin1String("{serial}"), QString::number(serialNumber));
  path.replace(QLatin1String("{target}"), safeName);
  return path;
}

QCoro::Task<SensorReport> runSensorJob(const Target &target, JobContext &context) {
  const auto job = std::make_unique<Job>(target, context);
  SensorReport report = co_await job->run();
  co_return report;
}

} // namespace quorvane::cli
