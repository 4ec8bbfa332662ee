#include "recorder/core/record_time.h"

#include <charconv>
#include <cmath>

namespace quorvane {
namespace {

constexpr std::int64_t kMicro = 1'000'000;
// Far beyond any real recording (about 285,000 years), and safe to hold in microseconds.
constexpr double kMaxTotalSeconds = 9.0e12;

std::string secondsText(std::int64_t wholeSeconds, std::int64_t micros) {
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf, wholeSeconds);
  std::string s(buf, r.ptr);
  if (micros == 0) return s;
  std::string fraction(6, '0');
  for (int i = 5; i >= 0; --i, micros /= 10)
    fraction[static_cast<std::size_t>(i)] = static_cast<char>('0' + micros % 10);
  while (fraction.back() == '0')
    fraction.pop_back();
  return s + "." + fraction;
}

} // namespace

RecordInterval correctRecordInterval(double seconds) {
  // NaN fails every comparison, so it is caught by the negated test.
  if (!(seconds >= kMinRecordInterval)) return {kMinRecordInterval, true};
  return {seconds, false};
}

RecordTimeEstimate estimateRecordTime(double intervalSeconds, std::uint16_t frames) {
  RecordTimeEstimate e;
  e.interval = correctRecordInterval(intervalSeconds);
  double total = e.interval.seconds * frames;
  if (!(total <= kMaxTotalSeconds)) total = kMaxTotalSeconds; // also an infinite interval
  const auto micros = static_cast<std::int64_t>(std::llround(total * kMicro));
  std::int64_t rest = micros;
  e.days = rest / (86400 * kMicro);
  rest -= e.days * 86400 * kMicro;
  e.hours = static_cast<int>(rest / (3600 * kMicro));
  rest -= std::int64_t{e.hours} * 3600 * kMicro;
  e.minutes = static_cast<int>(rest / (60 * kMicro));
  rest -= std::int64_t{e.minutes} * 60 * kMicro;
  e.seconds = static_cast<double>(rest) / kMicro;
  e.secondsText = secondsText(rest / kMicro, rest % kMicro);
  return e;
}

} // namespace quorvane
