// A record line from an arbitrary measured-values frame and clock: always one line of
// thirteen tab-separated fields, whatever the frame holds.
#include "live/core/measured_values.h"
#include "recorder/core/record_file.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  using namespace quorvane;
  FuzzedDataProvider in(data, size);
  RecordTimestamp t;
  t.year = in.ConsumeIntegral<int>();
  t.month = in.ConsumeIntegral<int>();
  t.day = in.ConsumeIntegral<int>();
  t.hour = in.ConsumeIntegral<int>();
  t.minute = in.ConsumeIntegral<int>();
  t.second = in.ConsumeIntegral<int>();
  const auto frame = in.ConsumeRemainingBytes<std::uint8_t>();
  const MeasuredValues m = decodeMeasuredValues(frame);
  const std::string line = recordLineText(t, m);
  if (line.size() < 2 || line.substr(line.size() - 2) != "\r\n") std::abort();
  const std::string body = line.substr(0, line.size() - 2);
  if (body.find_first_of("\r\n") != std::string::npos) std::abort();
  if (std::count(body.begin(), body.end(), '\t') != 12) std::abort();
  if (!(decodeMeasuredValues(encodeMeasuredValues(m)) == m)) std::abort();
  return 0;
}
