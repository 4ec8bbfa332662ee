// The parameter data: which changes it announces, and the rule pass settling it with the
// pages following.
#include "link/sensor_link.h"
#include "params/parameter_data.h"
#include "params/parameter_subsystem.h"
#include "support/fake_shell.h"
#include "support/scripted_dialogs.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>

namespace quorvane::testing {
namespace {

TEST(ParameterData, StartsWithWhatThePagesStartWith) {
  const ParameterData data;
  EXPECT_EQ(data.para(), SensorParameters{});
  for (const TeachVector &row : data.table()) {
    EXPECT_EQ(row.cell, (std::array<std::uint16_t, kTeachCells>{1, 1, 1, 1, 1}));
    EXPECT_EQ(row.group, 0);
    EXPECT_EQ(row.hold, 10);
  }
  EXPECT_EQ(data.memory(), ParameterMemory::Ram);
  EXPECT_EQ(data.paraSet(), 0);
}

TEST(ParameterData, AnnouncesEachChangeOnceAndNothingElse) {
  struct Case {
    const char *name;
    std::function<void(ParameterData &)> change;
    int paraChanges;
    QList<int> rows;
  };
  TeachTable twoRowsChanged = ParameterData().table();
  twoRowsChanged[3].cell[0] = 7;
  twoRowsChanged[30].reserved = 0x5A5A;
  SensorParameters gain7;
  gain7.gain = 7;
  const Case cases[] = {
      {"a field", [](ParameterData &d) { d.setField(field::kGain, 7); }, 1, {}},
      {"a field as it is", [](ParameterData &d) { d.setField(field::kGain, 5); }, 0, {}},
      {"a field past the record", [](ParameterData &d) { d.setField(kParameterCount, 1); }, 0, {}},
      {"the record", [&](ParameterData &d) { d.setPara(gain7); }, 1, {}},
      {"a cell", [](ParameterData &d) { d.setCell(4, 2, 99); }, 0, {4}},
      {"a cell as it is", [](ParameterData &d) { d.setCell(4, 2, 1); }, 0, {}},
      {"a group", [](ParameterData &d) { d.setGroup(0, 1); }, 0, {0}},
      {"a hold", [](ParameterData &d) { d.setHold(30, 3); }, 0, {30}},
      {"outside the table",
       [](ParameterData &d) {
         d.setCell(31, 0, 9);
         d.setCell(0, 5, 9);
         d.setGroup(-1, 9);
         d.setHold(31, 9);
       },
       0,
       {}},
      {"a table: the rows that differ",
       [&](ParameterData &d) { d.setTable(twoRowsChanged); },
       0,
       {3, 30}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    ParameterData data;
    QSignalSpy para(&data, &ParameterData::paraChanged);
    QSignalSpy rows(&data, &ParameterData::rowChanged);
    c.change(data);
    EXPECT_EQ(para.count(), c.paraChanges);
    QList<int> changed;
    for (const QList<QVariant> &signal : rows)
      changed << signal.at(0).toInt();
    EXPECT_EQ(changed, c.rows);
  }
}

TEST(ParameterData, ParameterSetIsZeroOrOne) {
  ParameterData data;
  QSignalSpy changes(&data, &ParameterData::paraSetChanged);
  for (const auto &[set, held] : {std::pair{1, 1}, {1, 1}, {7, 0}, {-1, 0}, {1, 1}}) {
    data.setParaSet(set);
    EXPECT_EQ(data.paraSet(), held) << "asked " << set;
  }
  EXPECT_EQ(changes.count(), 3);
}

TEST(ParameterData, TheRulePassSettlesTheDataAndThePagesFollow) {
  struct Case {
    std::uint16_t outmode, colorGroup;
    std::uint16_t maxVecNo, settledMaxVecNo;
    std::uint16_t group, settledGroup;
  };
  const Case cases[] = {
      {2, 0, 5, 3, 2, 2}, // BINARY without groups: three vectors at most
      {1, 1, 5, 5, 2, 0}, // DIRECT with groups: group 1 at most
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << "outmode " << c.outmode << " groups " << c.colorGroup);
    ScriptedDialogs dialogs;
    FakeShell shell;
    SensorLink link;
    ParameterSubsystem params(link, shell, dialogs);
    ParameterData &data = params.data();
    data.setField(field::kMaxVecNo, c.maxVecNo);
    data.setGroup(5, c.group);
    data.setField(field::kDigitalOutmode, c.outmode);
    data.setField(field::kColorGroup, c.colorGroup);

    params.controller().applyPanelRules();

    EXPECT_EQ(data.para().maxVecNo, c.settledMaxVecNo);
    EXPECT_EQ(data.table()[5].group, c.settledGroup);
    EXPECT_EQ(params.parameterPage().fieldValue(field::kMaxVecNo), c.settledMaxVecNo);
    EXPECT_EQ(params.groupHoldPage().group(5), c.settledGroup);
  }
}

} // namespace
} // namespace quorvane::testing
