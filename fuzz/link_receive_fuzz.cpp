// The link's receive path fed an arbitrary byte stream in arbitrary chunks: exchanges
// (header, length, CRCs, error replies) and the streaming receive a loop uses.
#include "byte_stream_transport.h"
#include "link/core/frame.h"
#include "link/sensor_link.h"

#include <QCoreApplication>

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>

namespace {

using namespace quorvane;

constexpr Order kOrders[] = {Order::Identify, Order::ReadMeasurement, Order::ReadParameters,
                             Order::WriteParameters, Order::ReadHardwareInfo};

void checkBuffer(const SensorLink &link) {
  if (link.receivedBytes() < 0 || link.receivedBytes() > static_cast<int>(kReceiveBufferSize))
    std::abort();
}

void exchangeOnce(SensorLink &link, FuzzedDataProvider &in) {
  const Order order = kOrders[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kOrders) - 1)];
  const std::uint8_t payload[4] = {1, 2, 3, 4};
  const int result = link.exchange(order, in.ConsumeIntegral<std::uint16_t>(),
                                   std::span(payload, in.ConsumeIntegralInRange(0, 4)));
  checkBuffer(link);
  if (result == 1) {
    const auto reply = link.replyPayload();
    if (reply.size() != link.replyHeader().dataLength || reply.size() > kMaxPayload) std::abort();
    if (link.receivedBytes() < static_cast<int>(kHeaderSize + reply.size())) std::abort();
  } else if (result != -1 || link.errorText().isEmpty()) {
    std::abort(); // a failure is always reported
  }
}

void streamOnce(SensorLink &link, FuzzedDataProvider &in) {
  if (!link.beginLoop(Acquisition::Live)) std::abort();
  link.clearReceive();
  for (int frames = in.ConsumeIntegralInRange(1, 4); frames > 0; --frames) {
    if (!link.waitForReceived(static_cast<int>(kHeaderSize))) break;
    if (link.CheckHeaderCRC() != 1) break;
    const int length = static_cast<int>(kHeaderSize) + link.replyHeader().dataLength;
    if (!link.waitForReceived(length)) break;
    checkBuffer(link);
    link.consume(length);
    checkBuffer(link);
  }
  link.stopAcquisition();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
  // One application for the whole run: the link waits in its event loop.
  static QCoreApplication app(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  std::vector<std::size_t> chunks(in.ConsumeIntegralInRange<std::size_t>(1, 4));
  for (auto &c : chunks)
    c = in.ConsumeIntegralInRange<std::size_t>(1, 2100);
  const int steps = in.ConsumeIntegralInRange(1, 6);
  std::vector<bool> streaming;
  for (int i = 0; i < steps; ++i)
    streaming.push_back(in.ConsumeBool());
  // Step parameters come from the end so the stream keeps the front of the input.
  const std::size_t controlBytes = std::min<std::size_t>(in.remaining_bytes(), 6 * steps);
  auto stream = in.ConsumeBytes<std::uint8_t>(in.remaining_bytes() - controlBytes);

  fuzzing::ByteStreamTransport transport(std::move(stream), std::move(chunks));
  SensorLink link;
  link.setFrameTimeoutSeconds(2.0); // never reached: the stream ends with the line closing
  link.attachTransport(transport);
  link.markVerified();
  for (const bool stream : streaming) {
    if (stream)
      streamOnce(link, in);
    else
      exchangeOnce(link, in);
  }
  return 0;
}
