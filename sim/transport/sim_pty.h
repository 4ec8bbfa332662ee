#pragma once
// The simulated sensor behind a pseudo terminal standing in for its RS-232 line. The
// simulator keeps the slave side open itself, so the line stays usable while a tool closes
// and reopens it.
#include "model/sensor_model.h"
#include "transport/output_drain.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <QTimer>

#include <memory>

namespace quorvane::sim {

class SimPty : public QObject {
  Q_OBJECT
public:
  explicit SimPty(SimOptions options = {}, QObject *parent = nullptr);
  ~SimPty() override;

  // Opens the pseudo terminal in raw mode, and the link when the options ask for one.
  [[nodiscard]] bool open();
  [[nodiscard]] QString slavePath() const { return slavePath_; }
  // The link when there is one, else the slave path.
  [[nodiscard]] QString path() const { return linkPath_.isEmpty() ? slavePath_ : linkPath_; }
  [[nodiscard]] QString errorString() const { return error_; }
  [[nodiscard]] SensorModel &model() { return model_; }

private:
  void readMaster();
  void onDue();
  void reschedule();
  void restart();
  [[nodiscard]] bool createLink(const QString &link);
  [[nodiscard]] qint64 writeMaster(const std::uint8_t *bytes, qint64 n);
  [[nodiscard]] std::uint64_t nowMs() const { return static_cast<std::uint64_t>(clock_.elapsed()); }

  SensorModel model_;
  OutputDrain drain_;
  int master_ = -1;
  int slave_ = -1;
  QString slavePath_;
  QString linkPath_;
  QString error_;
  std::unique_ptr<QSocketNotifier> readNotifier_;
  std::unique_ptr<QSocketNotifier> writeNotifier_;
  QTimer dueTimer_;
  QTimer readRetry_;
  QElapsedTimer clock_;
};

} // namespace quorvane::sim
