#pragma once
// The text of the record file: the header written when a file is chosen and one
// tab-separated line per recorded frame. Numbers never depend on the desktop's locale.
#include "live/core/measured_values.h"
#include "ui/core/remembered_path.h"

#include <array>
#include <ctime>
#include <string>
#include <string_view>

namespace quorvane {

inline constexpr std::string_view kRecordFileDefaultName = "RecordFile.dat";
inline constexpr std::string_view kRecordFileFilter = "*.dat";
inline constexpr RememberedPath kRecordFilePath{"RECORDER FILE", kRecordFileDefaultName, true};

inline constexpr std::array<std::string_view, 13> kRecordColumns = {
    "DATE",  "TIME",    "RED",   "GREEN", "BLUE",    "X s", "Y i",
    "INT M", "delta C", "COLOR", "GROUP", "TRIGGER", "TEMP"};

// Wall-clock time of a record line, as the local calendar shows it.
struct RecordTimestamp {
  int year = 1970;
  int month = 1; // 1..12
  int day = 1;   // 1..31
  int hour = 0;  // 0..23
  int minute = 0;
  int second = 0;

  bool operator==(const RecordTimestamp &) const = default;
};

// Local calendar time of `t`.
[[nodiscard]] RecordTimestamp localRecordTimestamp(std::time_t t);

// "MM-DD-YYYY".
[[nodiscard]] std::string recordDateText(const RecordTimestamp &t);
// "HH:MM:SS" on the 24-hour clock.
[[nodiscard]] std::string recordTimeText(const RecordTimestamp &t);

// The whole header: a line feed, the title line, the "PANEL ID: " line when the sensor
// identification is not empty, an empty line and the column line, every line ended by CR LF.
[[nodiscard]] std::string recordFileHeaderText(std::string_view panelId);

// One record line, CR LF included: date, time and the 11 values red .. temperature.
[[nodiscard]] std::string recordLineText(const RecordTimestamp &t, const MeasuredValues &m);

} // namespace quorvane
