#pragma once
// A SensorLink wired to a scripted peer over TCP or a pseudo terminal, recording every
// failure the link reports.
#include "link/scripted_peer.h"
#include "link/sensor_link.h"
#include "link/transport.h"

#include <QString>

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

} // namespace quorvane::testing
