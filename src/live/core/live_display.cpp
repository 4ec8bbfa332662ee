#include "live/core/live_display.h"

namespace quorvane {

std::optional<OutLeds> outLedsFor(int evaluationMode, int colorNumber) {
  if (evaluationMode < 3) return std::nullopt;
  OutLeds leds;
  leds.out1 = colorNumber >= 2;
  const int remainder = leds.out1 ? colorNumber - 2 : colorNumber;
  leds.out0 = remainder != 0;
  return leds;
}

std::array<std::string_view, 3> valueNames(int calculationMode) {
  if (isSiM(calculationMode)) return {"s", "i", "M"};
  return {"X", "Y", "INT"};
}

std::array<ChartRange, 3> valueChartRanges(int calculationMode) {
  if (isSiM(calculationMode))
    return {ChartRange{0.0, 10000.0}, ChartRange{0.0, 5000.0}, ChartRange{0.0, 1200.0}};
  return {kChannelRange, kChannelRange, kChannelRange};
}

LiveTexts liveTextsOf(const MeasuredValues &m) {
  auto t = [](std::int16_t v) { return std::to_string(v); };
  LiveTexts out;
  out.rgb = {t(m.red), t(m.green), t(m.blue)};
  out.coordinates = {t(m.x), t(m.y), t(m.intensity)};
  out.deltaC = t(m.deltaC);
  out.colorNumber = t(m.colorNumber);
  out.group = t(m.group);
  for (std::size_t i = 0; i < 3; ++i) {
    out.minimum[i] = t(m.extremesFirst[i]);
    out.maximum[i] = t(m.extremesSecond[i]);
    out.auxiliary[i] = t(m.auxiliary[i]);
  }
  return out;
}

} // namespace quorvane
