#include "link/link_rig.h"

#include <QCoroSignal>

#include <gtest/gtest.h>

namespace quorvane::testing {

LinkRig::LinkRig(Wire w) : wire(w) {
  if (wire == Wire::Tcp) {
    auto tcp = std::make_unique<TcpPeer>();
    {
      CommunicationSettings cs = link.settings();
      cs.protocol = Protocol::Tcp;
      cs.ipAddress = "127.0.0.1";
      cs.portNumber = std::to_string(tcp->port());
      link.setSettings(cs);
    }
    peer = std::move(tcp);
  } else {
    auto pty = std::make_unique<PtyPeer>();
    {
      CommunicationSettings cs = link.settings();
      cs.protocol = Protocol::Rs232;
      cs.comDevice = QString(pty->slavePath()).toStdString();
      link.setSettings(cs);
    }
    peer = std::move(pty);
  }
  QObject::connect(&link, &SensorLink::failed, [this](const QString &m) { failures.push_back(m); });
}

int LinkRig::open() {
  return wire == Wire::Tcp ? QCoro::waitFor(link.connectTcp()) : link.openSerialPort();
}

void LinkRig::answer(std::vector<PeerReply> replies) {
  peer->responder = [replies](const PeerRequest &) { return replies; };
}

void runAcquisition(SensorLink &link, Acquisition kind, std::function<QCoro::Task<>()> body) {
  link.setAcquisitionTask(kind, std::move(body));
  ASSERT_TRUE(link.startAcquisition(kind));
  QCoro::waitFor(link.acquisitionEnded());
}

void startAcquisitionUntilFailure(SensorLink &link, Acquisition kind) {
  link.setAcquisitionTask(
      kind, [&link]() -> QCoro::Task<> { co_await qCoro(&link, &SensorLink::failed); });
  ASSERT_TRUE(link.startAcquisition(kind));
}

} // namespace quorvane::testing
