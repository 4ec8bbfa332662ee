#pragma once
// A record file read back: the lines after the header, split into their fields.
#include "live/core/measured_values.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

#include <vector>

namespace quorvane::testing {

inline std::vector<QStringList> recordLines(const QString &path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  std::vector<QStringList> out;
  for (const QByteArray &l : f.readAll().split('\n'))
    if (QRegularExpression(QStringLiteral("^\\d\\d-\\d\\d-\\d{4}\t")).match(l).hasMatch()) {
      EXPECT_TRUE(l.endsWith('\r')) << "every line is ended by CR LF";
      out.push_back(QString::fromLatin1(l.chopped(1)).split('\t'));
    }
  return out;
}

// Every line holds the time and the 11 values of the frame sent at the same position.
inline void expectLinesAreSentFrames(const QString &path, const std::vector<MeasuredValues> &sent) {
  const auto got = recordLines(path);
  ASSERT_LE(got.size(), sent.size());
  for (std::size_t i = 0; i < got.size(); ++i) {
    const MeasuredValues &m = sent[i];
    ASSERT_EQ(got[i].size(), 13) << "line " << i;
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$")).match(got[i][1]).hasMatch());
    QStringList want;
    for (int v : {m.red, m.green, m.blue, m.x, m.y, m.intensity, m.deltaC, m.colorNumber, m.group,
                  m.trigger, m.temperature})
      want << QString::number(v);
    EXPECT_EQ(got[i].mid(2), want) << "line " << i;
  }
}

} // namespace quorvane::testing
