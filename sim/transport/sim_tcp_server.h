#pragma once
// The simulated sensor as a TCP server: one client at a time, a new client replaces the old.
#include "model/sensor_model.h"
#include "transport/output_drain.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace quorvane::sim {

class SimTcpServer : public QObject {
  Q_OBJECT
public:
  explicit SimTcpServer(SimOptions options = {}, QObject *parent = nullptr);
  ~SimTcpServer() override;

  [[nodiscard]] bool listen(const QHostAddress &address, quint16 port);
  [[nodiscard]] quint16 serverPort() const { return server_.serverPort(); }
  [[nodiscard]] QString errorString() const { return server_.errorString(); }
  [[nodiscard]] SensorModel &model() { return model_; }
  [[nodiscard]] bool hasClient() const { return !client_.isNull(); }

Q_SIGNALS:
  void clientConnected();
  void clientDisconnected();

private:
  void acceptClients();
  void readClient();
  void releaseClient(bool graceful);
  void onDue();
  void reschedule();
  [[nodiscard]] std::uint64_t nowMs() const { return static_cast<std::uint64_t>(clock_.elapsed()); }

  SensorModel model_;
  QTcpServer server_;
  QPointer<QTcpSocket> client_;
  OutputDrain drain_;
  QTimer dueTimer_;
  QElapsedTimer clock_;
};

} // namespace quorvane::sim
