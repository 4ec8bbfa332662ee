#pragma once
// The link to the sensor: framed request/reply exchanges over the open transport, the
// receive buffer every caller reads its reply from, and the link-failure routine.
#include "link/core/communication_settings.h"
#include "link/core/frame.h"
#include "link/core/orders.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

namespace quorvane {

class Transport;

// Which loop holds the link for a run of measurements or a stream of frames.
enum class Acquisition { Idle, Live, Recording, Scope, RecordedTeach, Calibration };

class SensorLink : public QObject {
  Q_OBJECT
public:
  explicit SensorLink(QObject *parent = nullptr);
  ~SensorLink() override;

  // --- link state (read and written by the subsystems directly) ---
  CommunicationSettings settings;
  bool tcpConnected = false;
  bool linkOk = false;
  std::uint8_t currentOrder = 1;
  int lastOpenResult = 0;
  QByteArray firmwareText; // first 72 bytes of the last handshake reply
  QString errorText;       // message of the last link failure (at most 255 characters)

  // --- the running loop (one owner: start, stop, changed signal) ---
  [[nodiscard]] Acquisition acquisition() const { return acquisition_; }
  [[nodiscard]] bool acquisitionRunning() const { return acquisition_ != Acquisition::Idle; }
  // Starts a loop of `kind`; false (nothing changes) when a loop already runs.
  [[nodiscard]] bool startAcquisition(Acquisition kind);
  // Ends the running loop: its exchanges and streaming waits see it at once.
  void stopAcquisition();

  // --- one exchange ---
  // The staging payload area; callers write their payload here before FillTxBuf.
  std::uint8_t *txPayload();
  void FillTxBuf(std::uint8_t order, std::uint16_t argument, std::uint16_t dataLength);
  // Sends the staged frame and waits for the reply; 1 on success, -1 after reporting.
  // With no open transport it fails at once with the time-out message. When the TCP server
  // closes during the wait, that close is the one report ("SERVER HAS CLOSED CONNECTION!")
  // and the wait ends at once with -1. A call made while another exchange waits is refused
  // with -1 and nothing sent (the busy lock should have prevented it).
  [[nodiscard]] int DataExchange(int frameLength);
  [[nodiscard]] int GetHeaderFrame();
  [[nodiscard]] int GetDataFrame();
  // Checks the 8 bytes at the start of the receive buffer; decodes them when good.
  [[nodiscard]] int CheckHeaderCRC();
  // Payload into staging, FillTxBuf, DataExchange.
  [[nodiscard]] int exchange(Order order, std::uint16_t argument,
                             std::span<const std::uint8_t> payload = {});

  // The decoded header of the last good reply, and the reply bytes.
  const FrameHeader &replyHeader() const;
  std::span<const std::uint8_t, kReceiveBufferSize> receiveBuffer() const;
  // Payload area (from byte 8) of the announced reply length.
  std::span<const std::uint8_t> replyPayload() const;
  int receivedBytes() const;
  // Port status word read after the last wait (serial line faults; 0 for TCP).
  int portStatus() const;

  // --- failures ---
  // Puts `message` into the error text and runs SetTimeout.
  void report(const QString &message);
  // Clears linkOk and stops the acquisition, then emits failed(errorText).
  void SetTimeout();

  // --- transports ---
  int InitRS232();
  // The device InitRS232 opens: the stored path, else /dev/ttyS<n-1> for COM port n; empty
  // when neither is set.
  QString serialDevice() const;
  int InitTCP_IP();
  void closeSerial();
  void disconnectTcp();
  Transport *transport() const;
  // Runs the link over a transport opened elsewhere (a byte source the tool does not own,
  // e.g. a pipe); it stays the caller's and must outlive the link or be closed first.
  void attachTransport(Transport &t);

  // --- waits for streaming receivers ---
  // Empties the receive buffer for a stream of unsolicited frames. Bytes still queued in
  // the transport (frames that followed) are kept. A receiver that must not lose a frame
  // sent right behind a reply calls consume(8 + reply length) instead.
  void clearReceive();
  // Sleeps in the event loop until `count` bytes are in the receive buffer (true) or the
  // acquisition stopped, the transport went away or the port reported a line fault
  // (false; portStatus() tells). `count` is capped at the buffer size. No deadline while the
  // sensor waits for its trigger; with one, a wait that passes it runs the link's time-out
  // (the time-out message through report(): linkOk cleared, the acquisition stopped) and
  // gives false.
  [[nodiscard]] bool
  waitForReceived(int count,
                  std::optional<std::chrono::steady_clock::time_point> deadline = std::nullopt);
  // Drops the first n received bytes (a frame consumed by a streaming receiver).
  void consume(int n);

  // Per-frame reply time limit, 3.0 s.
  double frameTimeoutSeconds() const { return frameTimeout_; }
  void setFrameTimeoutSeconds(double s) { frameTimeout_ = s; }

Q_SIGNALS:
  // Emitted by SetTimeout, synchronously, after the flags were cleared: the UI shows
  // "TIMEOUT!", appends the message and an empty line to the log, dims the buttons that
  // need a verified link and brings the connection page to the front.
  void failed(const QString &message);
  void acquisitionChanged(quorvane::Acquisition acquisition);

private:
  struct Impl;
  std::unique_ptr<Impl> d_;
  double frameTimeout_ = 3.0;
  Acquisition acquisition_ = Acquisition::Idle;
};

} // namespace quorvane
