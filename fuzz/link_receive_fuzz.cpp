// The link's receive path fed an arbitrary byte stream in arbitrary chunks: requests
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

void checkReply(const LinkReply &reply) {
  if (reply.payload.size() != reply.header.dataLength || reply.payload.size() > kMaxPayload)
    std::abort();
}

void requestOnce(SensorLink &link, FuzzedDataProvider &in, const int &failures) {
  const Order order = kOrders[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kOrders) - 1)];
  const std::uint16_t argument = in.ConsumeIntegral<std::uint16_t>();
  std::vector<std::uint8_t> payload = {1, 2, 3, 4};
  payload.resize(in.ConsumeIntegralInRange<std::size_t>(0, 4));
  const int before = failures;
  const LinkReply reply = QCoro::waitFor(link.request(order, argument, std::move(payload)));
  checkBuffer(link);
  if (reply.ok) {
    checkReply(reply);
    if (link.receivedBytes() < static_cast<int>(kHeaderSize + reply.payload.size())) std::abort();
  } else if (failures != before + 1) {
    std::abort(); // a failed request is reported, once
  }
}

void streamOnce(SensorLink &link, FuzzedDataProvider &in) {
  const int frames = in.ConsumeIntegralInRange(1, 4);
  link.setAcquisitionTask(Acquisition::Live, [&link, frames]() -> QCoro::Task<> {
    link.clearReceive();
    for (int i = 0; i < frames; ++i) {
      const StreamedFrame frame = co_await link.receiveFrame();
      checkBuffer(link);
      if (frame.end != StreamEnd::Complete) break;
      checkReply(frame.reply);
    }
  });
  if (!link.startAcquisition(Acquisition::Live)) std::abort();
  QCoro::waitFor(link.acquisitionEnded());
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
  int failures = 0;
  QObject::connect(&link, &SensorLink::failed, [&failures] { ++failures; });
  link.setFrameTimeoutSeconds(2.0); // never reached: the stream ends with the line closing
  link.attachTransport(transport);
  link.markVerified();
  for (const bool stream : streaming) {
    if (stream)
      streamOnce(link, in);
    else
      requestOnce(link, in, failures);
  }
  return 0;
}
