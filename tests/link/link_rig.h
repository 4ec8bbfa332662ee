#pragma once
// A SensorLink wired to a scripted peer over TCP or a pseudo terminal, recording every
// failure the link reports.
#include "link/scripted_peer.h"
#include "link/sensor_link.h"
#include "link/transport.h"

#include <QCoroTask>
#include <QString>

#include <functional>
#include <memory>
#include <ostream>
#include <vector>

namespace quorvane::testing {

enum class Wire { Tcp, Pty };

inline std::ostream &operator<<(std::ostream &os, Wire w) {
  return os << (w == Wire::Tcp ? "Tcp" : "Pty");
}

struct LinkRig {
  explicit LinkRig(Wire wire);

  // Opens the transport to the peer; the open result.
  int open();
  // Answers every request with `replies`.
  void answer(std::vector<PeerReply> replies);

  Wire wire;
  std::unique_ptr<ScriptedPeer> peer;
  SensorLink link;
  std::vector<QString> failures; // messages of failed(), in order
};

// Runs `body` as the link's acquisition of `kind`, as a loop of the tool would run, and
// returns once the acquisition has ended.
void runAcquisition(SensorLink &link, Acquisition kind, std::function<QCoro::Task<>()> body);
// Starts an acquisition of `kind` that holds the link until the link fails: a loop that is
// running when the failure comes.
void startAcquisitionUntilFailure(SensorLink &link, Acquisition kind);

} // namespace quorvane::testing
