#include "scope/core/scope_measure.h"

#include "link/core/bytes.h"
#include "live/core/live_display.h"
#include "scope/core/decimal_text.h"

#include <cmath>

namespace quorvane {
namespace {

int frequencyDecimals(double hz) {
  return hz > 1000.0 ? 0 : hz > 1.0 ? 1 : 2;
}
int cycleTimeDecimals(double hz) {
  return hz > 10000.0 ? 6 : hz > 1.0 ? 3 : 0;
}
int deltaXDecimals(double ms) {
  return ms > 1000.0 ? 0 : ms > 1.0 ? 3 : 6;
}

// A cursor position that is not a number counts as 0.
double position(double v) {
  return std::isfinite(v) ? v : 0.0;
}

// Truncated toward zero; huge values are held far inside 64 bits.
std::int64_t truncated(double v) {
  constexpr double kLimit = 1e15;
  return static_cast<std::int64_t>(std::trunc(std::fmax(-kLimit, std::fmin(kLimit, v))));
}

} // namespace

CycleTime cycleTimeFrom(std::int32_t count, std::int32_t timeValue) {
  CycleTime c;
  if (count > 0 && timeValue > 0) {
    c.frequencyHz = count / (timeValue * 0.01);
    c.cycleTimeMs = 1000.0 / c.frequencyHz;
  }
  c.frequencyText = fixedText(c.frequencyHz, frequencyDecimals(c.frequencyHz));
  // With no frequency the display shows the frequency itself, 0.
  c.cycleTimeText = c.frequencyHz > 0.0
                        ? fixedText(c.cycleTimeMs, cycleTimeDecimals(c.frequencyHz))
                        : fixedText(c.frequencyHz, cycleTimeDecimals(c.frequencyHz));
  return c;
}

CycleTime cycleTimeFromReply(std::span<const std::uint8_t> payload) {
  if (payload.size() < kCycleTimeReplyBytes) return cycleTimeFrom(0, 0);
  return cycleTimeFrom(getLe32s(&payload[0]), getLe32s(&payload[4]));
}

ScopeDelta measureCursorDeltas(ScopeCursorPosition c1, ScopeCursorPosition c2, double cycleTimeMs,
                               std::uint16_t scanRate) {
  ScopeDelta d;
  const std::int64_t dx = truncated(position(c1.x) - position(c2.x));
  d.dxSamples = dx < 0 ? -dx : dx;
  d.deltaXMs = static_cast<double>(d.dxSamples) * cycleTimeMs * scanRate;
  d.deltaXText = fixedText(d.deltaXMs, deltaXDecimals(d.deltaXMs));
  const std::int64_t dy = truncated(position(c1.y)) - truncated(position(c2.y));
  d.dyDigits = dy < 0 ? -dy : dy;
  d.dyText = std::to_string(d.dyDigits);
  d.volts = static_cast<double>(d.dyDigits) * 10.0 / 4096.0;
  d.voltsText = shortestText(d.volts);
  return d;
}

ScopeAxes scopeGraphAxes(int calculationMode, int recordedSignal) {
  ScopeAxes a;
  if (recordedSignal == 1 && isSiM(calculationMode)) a.yMax = 10000.0;
  return a;
}

} // namespace quorvane
