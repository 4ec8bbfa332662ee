#pragma once
// After a lost link: said once in the log, and TRY TO CONNECT works again once the sensor
// is back on the port it had.
#include "app_fixture.h"

namespace quorvane::testing {

inline void expectOneLossReportAndReconnect(Application &app,
                                            std::unique_ptr<sim::SimTcpServer> &sensor,
                                            quint16 port, const QString &report) {
  EXPECT_EQ(app.connectionPage().logText().count(report), 1);
  sim::SimOptions options;
  options.tcpPort = port;
  sensor = std::make_unique<sim::SimTcpServer>(std::move(options));
  ASSERT_TRUE(sensor->listen(QHostAddress::LocalHost, port));
  app.connectionPage().tryToConnectButton()->click();
  settleUntil([&app] { return app.idle(); });
  EXPECT_TRUE(app.link().linkOk());
  EXPECT_EQ(app.connectionPage().logText().count(report), 1);
}

} // namespace quorvane::testing
