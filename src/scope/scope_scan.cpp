#include "scope/scope_scan.h"

#include "link/sensor_link.h"
#include "link/transport.h"
#include "scope/core/scope_stream.h"

namespace quorvane {
namespace {

QString qs(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The blocks as they come. The sensor sends them when its trigger comes, so the wait for
// the first byte has no limit. Once they have begun, each block must be complete within
// the frame time limit, counted from its first byte (or from the end of the block before).
QCoro::Task<ScanEnd> receiveScan(SensorLink &link, ScopeStreamAssembler &stream) {
  StreamEnd end = StreamEnd::Complete;
  for (;;) {
    if (const int have = link.receivedBytes(); have > 0) {
      const auto bytes = link.receiveBuffer().first(static_cast<std::size_t>(have));
      link.consume(static_cast<int>(stream.feed(bytes)));
    }
    if (stream.state() != ScopeStreamAssembler::State::Receiving) break;
    end = co_await link.receive(static_cast<int>(stream.partMissing()), stream.blocksBegun());
    // Once the scan is stopped, what arrived is no longer part of it.
    if (end != StreamEnd::Complete) break;
  }

  switch (stream.state()) {
  case ScopeStreamAssembler::State::Complete:
    co_return ScanEnd::Drawn;
  case ScopeStreamAssembler::State::Failed:
    link.report(qs(stream.error())); // ends the acquisition
    co_return ScanEnd::Failed;
  case ScopeStreamAssembler::State::Receiving:
    break;
  }
  if (end == StreamEnd::LineFault) {
    // A port error or a port that went away.
    link.report(qs(kScopeLineError));
    co_return ScanEnd::Failed;
  }
  // Stopped, or a block that stalled (the link reported its time-out).
  co_return ScanEnd::Stopped;
}

} // namespace

QCoro::Task<ScopeScanResult> runScopeScan(SensorLink &link, ScopeSettings settings,
                                          std::function<void(bool)> waiting) {
  ScopeScanResult result;
  if (const std::string_view refused = checkScopeSettings(settings); !refused.empty()) {
    result.end = ScanEnd::NotStarted;
    result.refused = refused;
    co_return result;
  }
  const auto start = encodeScopeStart(settings);
  const LinkReply started =
      co_await link.request(Order::ScopeScan, kScopeStartArgument, {start.begin(), start.end()});
  if (!started) {
    result.end = ScanEnd::NotStarted;
    co_return result;
  }

  // Over TCP/IP the stream is counted from the start reply; over RS-232 the blocks follow it.
  const bool tcp = link.settings().protocol == Protocol::Tcp;
  if (!tcp) link.consume(static_cast<int>(kHeaderSize + started.header.dataLength));
  ScopeStreamAssembler stream(tcp ? ScopeTransport::Tcp : ScopeTransport::Serial, settings);

  if (waiting) waiting(true);
  result.end = co_await receiveScan(link, stream);
  if (waiting) waiting(false);
  if (result.end == ScanEnd::Drawn) result.buffers = stream.buffers();
  if (result.end == ScanEnd::Stopped) {
    // The sensor still waits for its trigger and would send the blocks into the next
    // request, so its scan is broken too, unless the link failed.
    const Transport *t = link.transport();
    if (link.linkOk() && t && t->isOpen())
      co_await link.request(Order::ScopeScan, kScopeBreakArgument); // the reply is not used
  }
  co_return result;
}

} // namespace quorvane
