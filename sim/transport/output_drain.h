#pragma once
// Writes the simulator's emissions to a byte sink in order: whole chunks at once, one byte
// per event-loop turn for split delivery, or paced at the line's baud rate (10 bits per
// byte). Waits on timers and on the sink, never spins. A peer that stops reading cannot
// make it grow without bound: beyond kMaxPendingBytes new output is discarded, as a full
// line would lose it.
#include "model/sensor_model.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

namespace quorvane::sim {

inline constexpr std::size_t kMaxPendingBytes = 1 << 20;

class OutputDrain : public QObject {
  Q_OBJECT
public:
  // Takes up to n bytes; returns how many it took, 0 when it is full for now, -1 when broken.
  using Sink = std::function<qint64(const std::uint8_t *bytes, qint64 n)>;

  OutputDrain(Sink sink, bool paceAtBaudRate, QObject *parent = nullptr);

  void push(std::vector<Emission> emissions);
  // Forgets everything not yet written.
  void clear();
  [[nodiscard]] bool idle() const { return chunks_.empty(); }
  [[nodiscard]] std::size_t pendingBytes() const { return pendingBytes_; }
  // Bytes discarded because too much was pending.
  [[nodiscard]] std::uint64_t discardedBytes() const { return discardedBytes_; }
  // The sink takes bytes again after it reported itself full.
  void sinkWritable();

Q_SIGNALS:
  // A chunk flagged for disconnection has been written completely.
  void disconnectRequested();
  // The sink took nothing; call sinkWritable() when it can take more.
  void sinkFull();

private:
  struct Chunk {
    std::vector<std::uint8_t> bytes;
    std::size_t sent = 0;
    bool disconnect = false;
    bool byteByByte = false;
    std::uint32_t baudRate = 115200;
  };

  void drain();
  void drainOnce();
  void wakeAfterNs(qint64 ns);

  Sink sink_;
  bool pace_;
  std::deque<Chunk> chunks_;
  QTimer timer_;
  QElapsedTimer clock_;
  qint64 lineFreeNs_ = 0;
  bool waitingForSink_ = false;
  bool draining_ = false;
  std::size_t pendingBytes_ = 0;
  std::uint64_t discardedBytes_ = 0;
};

} // namespace quorvane::sim
