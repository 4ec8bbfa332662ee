#include "recorder/core/record_file.h"

#include "ini/settings_header.h"

#include <charconv>

namespace quorvane {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr char kTab = '\t';

void appendInt(std::string &out, long long v) {
  char buf[24];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  out.append(buf, r.ptr);
}

// At least `width` digits, zero-padded (a year beyond 9999 simply gets more digits).
void appendPadded(std::string &out, int v, int width) {
  char buf[16];
  // Unsigned: the magnitude of the lowest int does not fit an int.
  const unsigned magnitude = v < 0 ? 0u - static_cast<unsigned>(v) : static_cast<unsigned>(v);
  const auto r = std::to_chars(buf, buf + sizeof buf, magnitude);
  if (v < 0) out.push_back('-');
  for (int n = static_cast<int>(r.ptr - buf); n < width; ++n)
    out.push_back('0');
  out.append(buf, r.ptr);
}

} // namespace

RecordTimestamp localRecordTimestamp(std::time_t t) {
  std::tm tm{};
  if (::localtime_r(&t, &tm) == nullptr) return {};
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::string recordDateText(const RecordTimestamp &t) {
  std::string s;
  appendPadded(s, t.month, 2);
  s.push_back('-');
  appendPadded(s, t.day, 2);
  s.push_back('-');
  appendPadded(s, t.year, 4);
  return s;
}

std::string recordTimeText(const RecordTimestamp &t) {
  std::string s;
  appendPadded(s, t.hour, 2);
  s.push_back(':');
  appendPadded(s, t.minute, 2);
  s.push_back(':');
  appendPadded(s, t.second, 2);
  return s;
}

std::string recordFileHeaderText(std::string_view panelId) {
  std::string s = "\nRECORD RESULTS OF: ";
  s += kScopeVersionText;
  s += kCrLf;
  if (!panelId.empty()) {
    s += "PANEL ID: ";
    s += panelId;
    s += kCrLf;
  }
  s += kCrLf;
  for (std::size_t i = 0; i < kRecordColumns.size(); ++i) {
    if (i > 0) s.push_back(kTab);
    s += kRecordColumns[i];
  }
  s += kCrLf;
  return s;
}

std::string recordLineText(const RecordTimestamp &t, const MeasuredValues &m) {
  std::string s = recordDateText(t);
  s.push_back(kTab);
  s += recordTimeText(t);
  for (const std::int16_t v : {m.red, m.green, m.blue, m.x, m.y, m.intensity, m.deltaC,
                               m.colorNumber, m.group, m.trigger, m.temperature}) {
    s.push_back(kTab);
    appendInt(s, v);
  }
  s += kCrLf;
  return s;
}

} // namespace quorvane
