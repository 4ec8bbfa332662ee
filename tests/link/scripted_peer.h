#pragma once
// A stand-in sensor for link tests that answers each request with exactly the bytes a
// test scripts, when and how it says: over a local TCP server or a pseudo terminal.
#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QSocketNotifier;
class QTcpServer;
class QTcpSocket;

namespace quorvane::testing {

using Bytes = std::vector<std::uint8_t>;

struct PeerRequest {
  Bytes frame; // header and payload as received
  std::uint8_t order = 0;
  std::uint16_t argument = 0;
  Bytes payload;
};

struct PeerReply {
  Bytes bytes;
  int delayMs = 0;         // after the request, or after the previous reply of the list
  bool byteByByte = false; // each byte its own write, a few ms apart
  bool closeAfter = false; // drop the connection once these bytes are out
};

// A reply frame with correct CRCs.
Bytes replyFrame(std::uint8_t order, std::uint16_t word, const Bytes &payload = {});

class ScriptedPeer : public QObject {
  Q_OBJECT
public:
  using Responder = std::function<std::vector<PeerReply>(const PeerRequest &)>;

  ~ScriptedPeer() override;
  Responder responder;                              // no responder: requests go unanswered
  std::vector<PeerRequest> requests;                // every request in arrival order
  void send(const std::vector<PeerReply> &replies); // unsolicited bytes
  virtual void dropClient() = 0;

Q_SIGNALS:
  void requestReceived();

protected:
  void received(const char *data, qint64 size);
  virtual void writeBytes(const std::uint8_t *data, std::size_t size) = 0;

private:
  void schedule(Bytes bytes, int atMs, bool byteByByte, bool closeAfter);
  Bytes pending_;
};

class TcpPeer : public ScriptedPeer {
  Q_OBJECT
public:
  TcpPeer();
  ~TcpPeer() override;
  quint16 port() const;
  void dropClient() override;
  bool hasClient() const { return client_ != nullptr; }

protected:
  void writeBytes(const std::uint8_t *data, std::size_t size) override;

private:
  std::unique_ptr<QTcpServer> server_;
  QTcpSocket *client_ = nullptr;
};

class PtyPeer : public ScriptedPeer {
  Q_OBJECT
public:
  PtyPeer();
  ~PtyPeer() override;
  QString slavePath() const { return slavePath_; }
  // Line speed the tool's side of the terminal is set to.
  int slaveBaudRate() const;
  void dropClient() override {}
  // The adapter is pulled: both ends of the terminal go away.
  void hangUp();

protected:
  void writeBytes(const std::uint8_t *data, std::size_t size) override;

private:
  int master_ = -1;
  int slave_ = -1; // held open so the master never sees a hang-up between tool opens
  QString slavePath_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

// A port on which nothing listens (found by listening and closing again).
quint16 unusedTcpPort();

} // namespace quorvane::testing
