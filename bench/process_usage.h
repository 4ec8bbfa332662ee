#pragma once
// What this benchmark process has used so far: CPU seconds and resident memory.
#include <QByteArray>
#include <QFile>

#include <sys/resource.h>

namespace quorvane::bench {

inline double cpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// In kB, from /proc/self/status; -1 where it cannot be read.
inline long residentKb() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray &line : status.readAll().split('\n'))
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
  return -1;
}

} // namespace quorvane::bench
