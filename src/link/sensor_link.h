#pragma once
// The link to the sensor: framed request/reply exchanges over the open transport, the
// receive buffer every caller reads its reply from, and the link-failure routine.
#include "link/core/communication_settings.h"
#include "link/core/frame.h"
#include "link/core/orders.h"

#include <QByteArray>
#include <QCoroTask>
#include <QObject>
#include <QString>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace quorvane {

class Transport;

// Which acquisition holds the link: a run of measurements, a stream of frames or a
// procedure that must not be interleaved with one.
enum class Acquisition { Idle, Live, Recording, Scope, RecordedTeach, Calibration, HardwareInfo };
inline constexpr std::size_t kAcquisitionKinds = 7;

// A reply: its header and payload (the announced length), or ok == false when the exchange
// failed (the failure was reported already).
struct LinkReply {
  bool ok = false;
  FrameHeader header{};
  std::vector<std::uint8_t> payload;
  explicit operator bool() const { return ok; }
};

// How a streaming receive ended.
enum class StreamEnd {
  Complete, // the bytes asked for are in the receive buffer
  Stopped,  // the acquisition was told to stop
  Failed,   // a frame began and its rest did not follow in time, or it was corrupt (reported)
  LineFault // the port failed or went away (portStatus() tells; not reported)
};

// A frame the sensor sent on its own (auto-send), taken off the receive buffer.
struct StreamedFrame {
  StreamEnd end = StreamEnd::Stopped;
  LinkReply reply; // ok when end == Complete
};

class SensorLink : public QObject {
  Q_OBJECT
public:
  explicit SensorLink(QObject *parent = nullptr);
  ~SensorLink() override;

  // --- link state (changed only here; stateChanged() tells) ---
  const CommunicationSettings &settings() const { return settings_; }
  // The settings the next open uses; an open transport keeps its own until reopened.
  void setSettings(const CommunicationSettings &settings);
  [[nodiscard]] bool tcpConnected() const { return tcpConnected_; }
  // A sensor answered the handshake (or a procedure re-armed the link) and no failure since.
  [[nodiscard]] bool linkOk() const { return linkOk_; }
  [[nodiscard]] std::uint8_t currentOrder() const { return currentOrder_; }
  [[nodiscard]] int lastOpenResult() const { return lastOpenResult_; }
  // First 72 bytes of the last handshake reply.
  const QByteArray &firmwareText() const { return firmwareText_; }
  // Message of the last link failure (at most 255 characters).
  const QString &errorText() const { return errorText_; }
  // A procedure that talks to the sensor after a failure tries the link again.
  void markVerified();
  // The operator works offline: the link is no longer verified.
  void markOffline();

  // --- the running acquisition (one owner: start, stop, changed signal) ---
  // The kind of the running acquisition task; Idle once it has ended.
  [[nodiscard]] Acquisition acquisition() const { return acquisition_; }
  // A task runs and has not been told to stop: loops go on while this holds.
  [[nodiscard]] bool acquisitionRunning() const {
    return acquisition_ != Acquisition::Idle && !stopping_;
  }
  // Declares the task an acquisition of `kind` runs; its owner does this once.
  void setAcquisitionTask(Acquisition kind, std::function<QCoro::Task<>()> task);
  // Starts the declared task of `kind`; false (nothing runs) while another acquisition
  // runs or when none is declared (a job may start one and await its end). The task ends on its own
  // or when told to stop; acquisitionChanged() tells both.
  [[nodiscard]] bool startAcquisition(Acquisition kind);
  // Tells the running acquisition to stop: a streaming wait ends at once, an exchange on
  // the line ends with its reply (at most the frame time limit), then the task cleans up.
  void stopAcquisition();
  // Resumes once no acquisition runs.
  QCoro::Task<> acquisitionEnded();
  // Runs `job` (a procedure of exchanges, such as SEND) as a whole: at once when nothing
  // runs, after the job before it, or between two steps of the running acquisition, which
  // serves it with servePending(); a job still waiting when the acquisition ends runs then,
  // unless the link failed. Once a job fails the link, the jobs behind it are dropped.
  void runOnLine(std::function<QCoro::Task<>()> job);
  // Runs the jobs asked for since the last call; a loop awaits this between two steps.
  QCoro::Task<> servePending();
  // A running acquisition's wait between two steps (a recording interval): resumes true
  // once `time` has passed (a precise timer), false at once when the acquisition is told to
  // stop or none runs.
  [[nodiscard]] QCoro::Task<bool> pause(std::chrono::milliseconds time);
  // The program is ending: what still waits on the link never resumes.
  void abandonWaits();
  // Nothing runs: no acquisition, no job, no request on the line or waiting its turn.
  [[nodiscard]] bool idle() const;

  // --- awaited exchanges ---
  // Sends one request and resumes with its reply. One request is on the line at a time:
  // a request made while another waits for its reply waits its turn, in order. With no
  // open transport it fails at once with the time-out message; when the TCP server closes
  // during the wait, that close is the one report ("SERVER HAS CLOSED CONNECTION!").
  QCoro::Task<LinkReply> request(Order order, std::uint16_t argument,
                                 std::vector<std::uint8_t> payload = {});
  // The handshake (order 0); on success the firmware text is taken from the reply.
  QCoro::Task<LinkReply> requestIdentity();
  // True while a request is on the line or waits its turn.
  [[nodiscard]] bool lineBusy() const;
  // Streaming receive: resumes when `count` bytes are in the receive buffer. The first
  // byte may take any time (the sensor sends on its trigger); once the frame has begun —
  // bytes are in, or `begun` says an earlier wait took its first part — the rest must
  // follow within the frame time limit, else the time-out is reported.
  QCoro::Task<StreamEnd> receive(int count, bool begun = false);
  // Streaming receive of one whole frame: header (first byte without limit), then its
  // payload; both CRCs checked (a bad one is reported). The frame is consumed; bytes
  // behind it stay.
  QCoro::Task<StreamedFrame> receiveFrame();

  // --- the receive buffer (streaming receivers) ---
  // A request's reply stays in it until the next request or receive: a stream that
  // follows a reply (the scope's, over TCP) is counted from the reply's first byte.
  std::span<const std::uint8_t, kReceiveBufferSize> receiveBuffer() const;
  int receivedBytes() const;
  // Port status word read after the last wait (serial line faults; 0 for TCP).
  int portStatus() const;

  // --- failures ---
  // Puts `message` into the error text and fails the link.
  void report(const QString &message);
  // Clears linkOk and tells the acquisition to stop, then emits failed(errorText).
  void failLink();

  // --- transports ---
  int openSerialPort();
  // The device openSerialPort opens: the stored path, else /dev/ttyS<n-1> for COM port n; empty
  // when neither is set.
  QString serialDevice() const;
  // Connects to the TCP server of the settings; resumes with 0 or the negative failure code
  // (reported).
  QCoro::Task<int> connectTcp();
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
  // Drops the first n received bytes (a frame consumed by a streaming receiver).
  void consume(int n);

  // Per-frame reply time limit, 3.0 s.
  double frameTimeoutSeconds() const { return frameTimeout_; }
  std::chrono::milliseconds frameLimit() const {
    return std::chrono::milliseconds(static_cast<long long>(frameTimeout_ * 1000.0));
  }
  void setFrameTimeoutSeconds(double s) { frameTimeout_ = s; }

Q_SIGNALS:
  // Emitted by failLink, synchronously, after the flags were cleared: the UI shows
  // "TIMEOUT!", appends the message and an empty line to the log, dims the buttons that
  // need a verified link and brings the connection page to the front.
  void failed(const QString &message);
  void acquisitionChanged(quorvane::Acquisition acquisition);
  // linkOk, the TCP connection, the firmware text or the settings changed.
  void stateChanged();

private:
  QCoro::Task<> runAcquisition(std::function<QCoro::Task<>()> task);
  // Whether `need` reply bytes are in, the wait failed (a time-out is reported here) or
  // goes on.
  enum class FrameWait { Ready, Failed, Waiting };
  FrameWait frameState(Transport *t, int need);
  QCoro::Task<> runJobs();
  std::array<std::function<QCoro::Task<>()>, kAcquisitionKinds> tasks_{};
  int jobsRunning_ = 0;
  // Checks the 8 bytes at the start of the receive buffer; decodes them when good.
  [[nodiscard]] bool checkHeader();
  bool stopping_ = false;
  struct Impl;
  std::unique_ptr<Impl> d_;
  void setLinkOk(bool ok);
  void setTcpConnected(bool connected);

  CommunicationSettings settings_;
  bool tcpConnected_ = false;
  bool linkOk_ = false;
  std::uint8_t currentOrder_ = 1;
  int lastOpenResult_ = 0;
  QByteArray firmwareText_;
  QString errorText_;
  double frameTimeout_ = 3.0;
  Acquisition acquisition_ = Acquisition::Idle;
};

} // namespace quorvane
