#pragma once
// The simulated colour sensor: a plain state machine driven by bytes and a millisecond clock
// that the caller supplies, so tests run it deterministically and transports only move bytes.
//
// Input: request frames in any chunking. Bytes that cannot start a header are skipped. A
// candidate header with a bad CRC is answered once with error word 2 and skipped byte by
// byte until a valid header follows; a header announcing more than 506 payload bytes, or a
// payload with a bad CRC, is answered with error word 2 and dropped. A partial frame left
// alone for a second is discarded. Nothing received can grow a buffer beyond one frame.
//
// Output: replies and unsolicited frames (auto-send, scope blocks) in one ordered queue,
// each due at a time; poll() hands out what is due. Like a serial line, nothing overtakes
// what is queued before it, so the caller's clock must never run backwards.
#include "link/core/frame.h"
#include "live/core/measured_values.h"
#include "model/scene.h"
#include "model/scope_scan.h"
#include "model/sim_options.h"
#include "params/core/sensor_parameters.h"
#include "params/core/teach_table.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace quorvane::sim {

struct Emission {
  std::vector<std::uint8_t> bytes;
  bool disconnect = false;         // the transport drops the client after sending these bytes
  bool byteByByte = false;         // one write per byte, with event-loop turns between
  std::uint32_t baudRate = 115200; // line rate these bytes go out at (baud emulation)
};

struct ReceivedRequest {
  std::uint8_t order = 0;
  std::uint16_t argument = 0;
  std::vector<std::uint8_t> payload;
  std::uint64_t atMs = 0;
};

// Largest request payload accepted: the teach table plus a margin of 10 bytes.
inline constexpr std::size_t kMaxAcceptedPayload = kMaxRequestPayload + 10;
inline constexpr std::size_t kMaxRequestFrame = kHeaderSize + kMaxAcceptedPayload;
inline constexpr std::uint64_t kStalePartialMs = 1000;
inline constexpr std::uint16_t kOversizeLength = 2041;
// Data bytes of the block a stalled scope scan sends before it goes silent.
inline constexpr std::size_t kStalledScopeBytes = 100;
inline constexpr std::size_t kFirmwareReplyBytes = 72;
// The request log keeps at least this many of the most recent requests.
inline constexpr std::size_t kRequestLogKeep = 4096;

inline constexpr std::uint16_t kDefaultBaudCode = 4;
// Bits per second of a baud-rate code; codes above 7 mean 115200.
[[nodiscard]] std::uint32_t baudRateForCode(std::uint16_t code);

// The memory the sensor starts with: default parameters evaluating three taught rows.
[[nodiscard]] SensorMemory initialMemory();

class SensorModel {
public:
  explicit SensorModel(SimOptions options = {});

  void receive(std::span<const std::uint8_t> bytes, std::uint64_t nowMs);
  [[nodiscard]] std::vector<Emission> poll(std::uint64_t nowMs);
  [[nodiscard]] std::optional<std::uint64_t> nextDueMs() const;

  // Both reset the per-connection state: input, output queue, auto-send, scope, fault counters.
  void connectionOpened(std::uint64_t nowMs);
  void connectionClosed();

  // Receives a one-line description of every frame in and out (for --verbose).
  void setLogger(std::function<void(std::string_view)> logger) { logger_ = std::move(logger); }

  [[nodiscard]] const SimOptions &options() const { return options_; }
  [[nodiscard]] const SensorMemory &ram() const { return ram_; }
  [[nodiscard]] SensorMemory &ram() { return ram_; }
  [[nodiscard]] const SensorMemory &eeprom() const { return eeprom_; }
  [[nodiscard]] SensorMemory &eeprom() { return eeprom_; }
  [[nodiscard]] const SensorParameters &ramParameters(std::size_t set) const {
    return ram_.params.at(set);
  }
  [[nodiscard]] const TeachTable &ramTeachTable(std::size_t set) const {
    return ram_.teach.at(set);
  }
  [[nodiscard]] const SensorParameters &eepromParameters(std::size_t set) const {
    return eeprom_.params.at(set);
  }
  [[nodiscard]] const TeachTable &eepromTeachTable(std::size_t set) const {
    return eeprom_.teach.at(set);
  }
  [[nodiscard]] const Calibration &calibration() const { return calibration_; }
  [[nodiscard]] Calibration &calibration() { return calibration_; }
  [[nodiscard]] std::uint16_t baudCode() const { return baudCode_; }
  [[nodiscard]] std::uint32_t baudRate() const { return baudRateForCode(baudCode_); }
  [[nodiscard]] bool autoSendActive() const { return autoSend_; }
  [[nodiscard]] bool scopeWaiting() const { return scope_.has_value(); }
  // Every request with valid CRCs, oldest first (the oldest are dropped beyond a few thousand).
  [[nodiscard]] const std::vector<ReceivedRequest> &requests() const { return requests_; }
  void clearRequests() { requests_.clear(); }
  // Measurement frames handed to the transport whole (replies to order 8 and auto-send
  // frames), oldest first; like the request log it keeps at least the most recent few
  // thousand. The count covers every one since the model was made.
  [[nodiscard]] const std::vector<MeasuredValues> &sentMeasurements() const { return sent_; }
  [[nodiscard]] std::uint64_t sentMeasurementCount() const { return sentCount_; }
  // Replies to requests sent on this connection (the count the faults use).
  [[nodiscard]] std::uint64_t replyCount() const { return replyCount_; }
  // The measurement the sensor would take at time t, without the state kept between frames.
  [[nodiscard]] Sample sampleAt(std::uint64_t t) const;

private:
  struct Reply {
    std::uint8_t order = 0;
    std::uint16_t word = 0;
    std::vector<std::uint8_t> payload;
  };
  struct Queued {
    std::vector<std::uint8_t> bytes;
    std::uint64_t dueMs = 0;
    bool disconnect = false;
    std::uint32_t baudRate = 0;
  };
  // What the sensor remembers between frames: extremes and the colour held in EXT1/EXT2.
  struct FrameHistory {
    std::optional<std::uint64_t> window;
    bool haveExtremes = false;
    std::array<std::int16_t, 3> minimum{};
    std::array<std::int16_t, 3> maximum{};
    std::array<std::uint32_t, 32> hits{};
    std::array<Evaluation, 32> hitEvaluation{};
    std::optional<Evaluation> lastHigh;
  };

  void parse(std::uint64_t nowMs);
  void handleRequest(const FrameHeader &h, std::span<const std::uint8_t> payload,
                     std::uint64_t nowMs);
  void logRequest(const FrameHeader &h, std::span<const std::uint8_t> payload, std::uint64_t nowMs);
  [[nodiscard]] Reply answer(const FrameHeader &h, std::span<const std::uint8_t> payload,
                             std::uint64_t nowMs);
  [[nodiscard]] Reply writeParameters(std::uint16_t argument,
                                      std::span<const std::uint8_t> payload);
  [[nodiscard]] Reply readParameters(std::uint16_t argument) const;
  [[nodiscard]] Reply loadFromEeprom();
  [[nodiscard]] Reply writeCalibration(std::uint16_t argument,
                                       std::span<const std::uint8_t> payload);
  [[nodiscard]] Reply selfCalibrate(std::uint64_t nowMs) const;
  [[nodiscard]] Reply startScope(std::uint16_t argument, std::span<const std::uint8_t> payload,
                                 std::uint64_t nowMs);
  [[nodiscard]] std::uint16_t plausibilityWord(std::uint16_t count) const;

  void sendReply(const Reply &reply, std::uint64_t nowMs);
  void sendUnsolicited(std::uint8_t order, std::span<const std::uint8_t> payload,
                       std::uint64_t dueMs);
  void enqueue(std::vector<std::uint8_t> bytes, std::uint64_t dueMs, bool disconnect = false);
  void advance(std::uint64_t nowMs);
  [[nodiscard]] MeasuredValues frameAt(std::uint64_t t);
  void log(std::string_view prefix, std::span<const std::uint8_t> bytes) const;
  void noteSent(std::span<const std::uint8_t> frame);

  SimOptions options_;
  SceneConfig scene_;
  SensorMemory ram_;
  SensorMemory eeprom_;
  Calibration calibration_;
  std::uint16_t baudCode_ = kDefaultBaudCode;
  std::optional<std::uint16_t> pendingBaudCode_;

  std::vector<std::uint8_t> rx_;
  std::uint64_t lastRxMs_ = 0;
  bool badHeaderReported_ = false;
  std::deque<Queued> queue_;
  std::uint64_t lastDueMs_ = 0;
  std::uint64_t replyCount_ = 0;
  bool dropped_ = false;

  bool autoSend_ = false;
  std::uint64_t nextTriggerMs_ = 0;
  std::optional<ScopeScan> scope_;
  // Scope scans completed on this connection (the count --stall-scope-every uses).
  std::uint64_t scopeScans_ = 0;
  FrameHistory history_;

  std::vector<ReceivedRequest> requests_;
  std::vector<MeasuredValues> sent_;
  std::uint64_t sentCount_ = 0;
  std::function<void(std::string_view)> logger_;
};

} // namespace quorvane::sim
