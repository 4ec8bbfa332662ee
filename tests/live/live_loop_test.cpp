// The live loop against the simulated sensor: GO, STOP, failures and the transfers it serves.
#include "live_rig.h"

#include "link/core/link_messages.h"
#include "params/core/sensor_parameters.h"
#include "ui/graph_widget.h"

#include <QLabel>
#include <QTimer>

#include <set>

namespace quorvane::testing {
namespace {

constexpr std::uint8_t kMeasure = orderByte(Order::ReadMeasurement);
constexpr std::uint8_t kWrite = orderByte(Order::WriteParameters);
constexpr std::uint8_t kRead = orderByte(Order::ReadParameters);

QString text(const MeasurementPanel &panel, const char *name) {
  const auto *label = panel.findChild<QLabel *>(QString::fromLatin1(name));
  return label ? label->text() : QStringLiteral("<missing>");
}

// A SEND stand-in with the transfer's shape: the scalar block, then the teach table.
QCoro::Task<bool> sendBlocks(SensorLink &link, const ParameterState &p) {
  const auto scalar = encodeParameters(p.para);
  if (!co_await link.request(Order::WriteParameters, 0, {scalar.begin(), scalar.end()}))
    co_return false;
  const auto table = encodeTeachTable(p.table);
  co_return (co_await link.request(Order::WriteParameters, 2, {table.begin(), table.end()})).ok;
}

// SEND or GET pressed while the loop runs, handed to the link as the parameter page does.
void press(SensorLink &link, std::function<QCoro::Task<bool>()> transfer) {
  link.runOnLine([transfer]() -> QCoro::Task<> { co_await transfer(); });
}

TEST(LiveLoop, GoShowsMovingValuesUntilStop) {
  sim::SimOptions options;
  options.delayMs = 1; // each frame from a new instant of the moving scene
  LiveRig rig(options);
  rig.connect();
  std::set<QString> reds;
  rig.onFrame([&](const MeasuredValues &m) { reds.insert(QString::number(m.red)); });
  rig.stopAfter(30);

  rig.go();

  EXPECT_EQ(rig.controller.framesShown(), 30u);
  EXPECT_EQ(rig.orders(), std::vector<std::uint8_t>(30, kMeasure));
  for (const auto &r : rig.server.model().requests()) {
    EXPECT_EQ(r.argument, 0);
    EXPECT_TRUE(r.payload.empty());
  }
  EXPECT_GT(reds.size(), 1u) << "the values move";
  EXPECT_EQ(rig.shell.dims, (std::vector<std::pair<bool, bool>>{{true, true}, {false, false}}));
  EXPECT_EQ(rig.shell.child, ChildPanel::Measurement);
  EXPECT_FALSE(rig.link.acquisitionRunning());
  EXPECT_TRUE(rig.failures.empty());

  // The numbers after STOP are those of the last frame.
  const MeasuredValues &m = rig.controller.measuredValues();
  EXPECT_EQ(text(rig.panel, "redValue"), QString::number(m.red));
  EXPECT_EQ(text(rig.panel, "greenValue"), QString::number(m.green));
  EXPECT_EQ(text(rig.panel, "blueValue"), QString::number(m.blue));
  EXPECT_EQ(text(rig.panel, "xValue"), QString::number(m.x));
  EXPECT_EQ(text(rig.panel, "yValue"), QString::number(m.y));
  EXPECT_EQ(text(rig.panel, "intensityValue"), QString::number(m.intensity));
  EXPECT_EQ(text(rig.panel, "deltaC"), QString::number(m.deltaC));
  EXPECT_EQ(text(rig.panel, "colourNumber"), QString::number(m.colorNumber));
  EXPECT_EQ(text(rig.panel, "groupNumber"), QString::number(m.group));
  EXPECT_EQ(rig.controller.currentColour(), currentColourOf(m));

  // The strip charts hold the 30 frames at the right and zeros to their left.
  const auto red = rig.panel.graphRgb()->stripValues(0);
  ASSERT_EQ(red.size(), kHistorySamples);
  EXPECT_EQ(red.back(), double(m.red));
  for (std::size_t i = 0; i < kHistorySamples - 30; ++i)
    EXPECT_EQ(red[i], 0.0) << i;
  EXPECT_EQ(rig.panel.graphsValues()[2]->stripValues(0).back(), double(m.intensity));
}

TEST(LiveLoop, GoLeavesTheMeanValueTeachPanelInFront) {
  LiveRig rig;
  rig.connect();
  rig.shell.child = ChildPanel::MeanTeach;
  rig.stopAfter(1);
  rig.go();
  EXPECT_TRUE(rig.shell.childrenShown.empty());
  EXPECT_EQ(rig.shell.child, ChildPanel::MeanTeach);
  EXPECT_EQ(rig.controller.framesShown(), 1u);
}

TEST(LiveLoop, StopDuringAWaitStillShowsThatReply) {
  sim::SimOptions options;
  options.delayMs = 150;
  LiveRig rig(options);
  rig.connect();
  // STOP arrives while the first reply is still on its way.
  QTimer::singleShot(40, [&] {
    EXPECT_EQ(rig.orders().size(), 1u);
    rig.controller.stopClicked();
  });
  rig.go();
  EXPECT_EQ(rig.orders(), std::vector<std::uint8_t>{kMeasure});
  EXPECT_EQ(rig.controller.framesShown(), 1u);
  EXPECT_NE(text(rig.panel, "redValue"), QStringLiteral("0")) << "the reply was shown";
  EXPECT_TRUE(rig.failures.empty());
  EXPECT_EQ(rig.shell.dims.back(), std::make_pair(false, false));
}

TEST(LiveLoop, ALinkFailureEndsTheLoopAfterTheFramesBeforeIt) {
  struct Case {
    const char *name;
    sim::SimOptions options;
    std::string_view message;
    std::size_t requests;
  };
  std::vector<Case> cases;
  {
    sim::SimOptions o;
    o.dropEvery = 3;
    cases.push_back({"reply missing", o, linktext::kTimeout, 3});
  }
  {
    sim::SimOptions o;
    o.corruptDataEvery = 3;
    cases.push_back({"data CRC wrong", o, linktext::kBadData, 3});
  }
  {
    sim::SimOptions o;
    o.corruptHeaderEvery = 3;
    cases.push_back({"header CRC wrong", o, linktext::kBadHeader, 3});
  }
  {
    sim::SimOptions o;
    o.disconnectAfter = 2;
    cases.push_back({"server closed", o, linktext::kServerClosed, 2});
  }
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    LiveRig rig(c.options);
    rig.connect();
    rig.link.setFrameTimeoutSeconds(0.3);
    rig.go();
    EXPECT_EQ(rig.controller.framesShown(), 2u);
    // No request after the failed one (a closed server may not see the third at all).
    EXPECT_LE(rig.orders().size(), c.requests);
    EXPECT_GE(rig.orders().size(), 2u);
    ASSERT_GE(rig.failures.size(), 1u);
    EXPECT_EQ(rig.failures.front().toStdString(), std::string(c.message));
    EXPECT_FALSE(rig.link.acquisitionRunning());
    EXPECT_EQ(rig.shell.dims.back(), std::make_pair(false, false));
  }
}

TEST(LiveLoop, DeferredSendAndGetGoOutBetweenTwoMeasurements) {
  LiveRig rig;
  rig.connect();
  int sends = 0, gets = 0;
  rig.transfer.send = [&]() -> QCoro::Task<bool> {
    ++sends;
    co_return co_await sendBlocks(rig.link, rig.parameters);
  };
  rig.transfer.read = [&]() -> QCoro::Task<bool> {
    ++gets;
    if (!co_await rig.link.request(Order::ReadParameters, 0)) co_return false;
    co_return (co_await rig.link.request(Order::ReadParameters, 2)).ok;
  };
  // SEND and GET pressed while frame 2 is shown: both served before the third request.
  rig.onFrame([&](const MeasuredValues &) {
    const auto n = rig.controller.framesShown();
    if (n == 2) {
      press(rig.link, [&] { return rig.transfer.sendParameters(); });
      press(rig.link, [&] { return rig.transfer.readParameters(ParameterMemory::Ram); });
    }
    if (n == 4) rig.controller.stopClicked();
  });
  rig.go();
  EXPECT_EQ(sends, 1);
  EXPECT_EQ(gets, 1);
  EXPECT_EQ(rig.orders(), (std::vector<std::uint8_t>{kMeasure, kMeasure, kWrite, kWrite, kRead,
                                                     kRead, kMeasure, kMeasure}));
  EXPECT_TRUE(rig.failures.empty());
}

TEST(LiveLoop, AFailingSendEndsTheLoopWithoutAFurtherRequest) {
  sim::SimOptions options;
  options.errorOn = kWrite;
  options.errorReplyWord = 1;
  LiveRig rig(options);
  rig.connect();
  int gets = 0;
  rig.transfer.send = [&] { return sendBlocks(rig.link, rig.parameters); };
  rig.transfer.read = [&]() -> QCoro::Task<bool> {
    ++gets;
    co_return (co_await rig.link.request(Order::ReadParameters, 0)).ok;
  };
  // SEND, then GET, pressed while frame 2 is shown: the failed SEND takes the GET with it.
  rig.onFrame([&](const MeasuredValues &) {
    if (rig.controller.framesShown() != 2) return;
    press(rig.link, [&] { return rig.transfer.sendParameters(); });
    press(rig.link, [&] { return rig.transfer.readParameters(ParameterMemory::Ram); });
  });
  rig.go();
  EXPECT_EQ(rig.orders(), (std::vector<std::uint8_t>{kMeasure, kMeasure, kWrite}));
  EXPECT_EQ(gets, 0);
  EXPECT_EQ(rig.controller.framesShown(), 2u);
  ASSERT_EQ(rig.failures.size(), 1u);
  EXPECT_EQ(rig.failures.front().toStdString(), std::string(linktext::kInvalidOrder));
  EXPECT_FALSE(rig.link.acquisitionRunning());
}

TEST(LiveLoop, GoWhileTheLoopRunsStartsNoSecondLoop) {
  LiveRig rig;
  rig.connect();
  rig.onFrame([&](const MeasuredValues &) {
    const auto n = rig.controller.framesShown();
    if (n == 2) rig.controller.goClicked(); // e.g. F11 while GO is dimmed
    if (n == 3) rig.controller.stopClicked();
  });
  rig.go();
  EXPECT_EQ(rig.orders(), std::vector<std::uint8_t>(3, kMeasure));
  EXPECT_EQ(rig.shell.dims, (std::vector<std::pair<bool, bool>>{{true, true}, {false, false}}));
}

TEST(LiveLoop, OfflineGoReportsOnceAndUndims) {
  LiveRig rig; // never connected
  rig.go();
  EXPECT_EQ(rig.controller.framesShown(), 0u);
  EXPECT_EQ(rig.failures.size(), 1u);
  EXPECT_FALSE(rig.link.acquisitionRunning());
  EXPECT_EQ(rig.shell.dims.back(), std::make_pair(false, false));
}

} // namespace
} // namespace quorvane::testing
