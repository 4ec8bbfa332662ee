#include "model/sim_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quorvane::sim;

namespace {

ParsedOptions parse(std::vector<std::string_view> args) {
  return parseSimOptions(args);
}

} // namespace

TEST(SimOptions, DefaultsMatchTheManual) {
  const ParsedOptions p = parse({});
  ASSERT_TRUE(p.error.empty()) << p.error;
  const SimOptions &o = p.options;
  EXPECT_EQ(o.tcpPort, 10001);
  EXPECT_EQ(o.bind, "127.0.0.1");
  EXPECT_FALSE(o.pty);
  EXPECT_EQ(o.serialNumber, 4711);
  EXPECT_EQ(o.triggerPeriodMs, 100u);
  EXPECT_EQ(o.hwinfoBytes, 512u);
  EXPECT_EQ(o.dropEvery, 0u);
  EXPECT_FALSE(o.errorOn);
  EXPECT_FALSE(o.plausibilityWord);
  EXPECT_TRUE(o.firmware.starts_with("QUORVANE ANA V1.3.2 "));
}

TEST(SimOptions, EveryOptionSetsItsField) {
  const ParsedOptions p = parse({"--tcp-port",
                                 "0",
                                 "--bind=0.0.0.0",
                                 "--pty-link",
                                 "/tmp/x",
                                 "--baud-emulation",
                                 "--seed",
                                 "77",
                                 "--firmware",
                                 "QUORVANE ANA V1.4.0",
                                 "--serial-number",
                                 "0xFFFF",
                                 "--trigger-period-ms=250",
                                 "--hwinfo-bytes",
                                 "100",
                                 "--verbose",
                                 "--delay-ms",
                                 "5",
                                 "--drop-every",
                                 "3",
                                 "--corrupt-header-every",
                                 "4",
                                 "--corrupt-data-every",
                                 "5",
                                 "--error-reply-word",
                                 "0x7C19",
                                 "--error-on",
                                 "8",
                                 "--split-delivery",
                                 "--payload-delay-ms",
                                 "2500",
                                 "--disconnect-after",
                                 "9",
                                 "--plausibility-word",
                                 "3",
                                 "--oversize-length",
                                 "--no-tcp"});
  ASSERT_TRUE(p.error.empty()) << p.error;
  const SimOptions &o = p.options;
  EXPECT_EQ(o.tcpPort, 0);
  EXPECT_EQ(o.bind, "0.0.0.0");
  EXPECT_TRUE(o.pty);
  EXPECT_EQ(o.ptyLink, "/tmp/x");
  EXPECT_TRUE(o.baudEmulation);
  EXPECT_EQ(o.seed, 77u);
  EXPECT_EQ(o.firmware, "QUORVANE ANA V1.4.0");
  EXPECT_EQ(o.serialNumber, 0xFFFF);
  EXPECT_EQ(o.triggerPeriodMs, 250u);
  EXPECT_EQ(o.hwinfoBytes, 100u);
  EXPECT_TRUE(o.verbose);
  EXPECT_EQ(o.delayMs, 5u);
  EXPECT_EQ(o.dropEvery, 3u);
  EXPECT_EQ(o.corruptHeaderEvery, 4u);
  EXPECT_EQ(o.corruptDataEvery, 5u);
  EXPECT_EQ(o.errorReplyWord, 0x7C19);
  EXPECT_EQ(o.errorOn, 8);
  EXPECT_TRUE(o.splitDelivery);
  EXPECT_EQ(o.payloadDelayMs, 2500u);
  EXPECT_EQ(o.disconnectAfter, 9u);
  EXPECT_EQ(o.plausibilityWord, 3);
  EXPECT_TRUE(o.oversizeLength);
  EXPECT_TRUE(o.noTcp);
}

TEST(SimOptions, BadCommandLinesAreExplained) {
  struct Case {
    std::vector<std::string_view> args;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {{"--frobnicate"}, "unknown option: --frobnicate"},
      {{"--tcp-port"}, "option --tcp-port needs a value"},
      {{"--tcp-port", "65536"}, "option --tcp-port expects a number from 0 to 65535, not '65536'"},
      {{"--tcp-port", "12ab"}, "not '12ab'"},
      {{"--tcp-port", "-1"}, "not '-1'"},
      {{"--drop-every", "0"}, "option --drop-every expects a number from 1 to"},
      {{"--hwinfo-bytes", "2041"}, "from 0 to 2040"},
      {{"--error-on", "8"}, "--error-reply-word and --error-on go together"},
      {{"--error-reply-word", "1"}, "--error-reply-word and --error-on go together"},
      {{"--error-on", "256", "--error-reply-word", "1"}, "from 0 to 255"},
      {{"--pty=yes"}, "option --pty takes no value"},
      {{"--no-tcp"}, "--no-tcp without --pty leaves nothing to serve"},
      {{"--trigger-period-ms", "1"}, "from 2 to 3600000"},
  };
  for (const auto &c : cases) {
    const ParsedOptions p = parse(c.args);
    EXPECT_NE(p.error.find(c.expected), std::string::npos) << p.error;
    EXPECT_NE(p.error.find("--help"), std::string::npos);
  }
}

TEST(SimOptions, HelpIsAManualCoveringEveryOption) {
  EXPECT_TRUE(parse({"--help"}).showHelp);
  EXPECT_TRUE(parse({"--no-tcp", "-h"}).showHelp);
  const std::string_view help = simHelpText();
  for (const char *option : {"--tcp-port",
                             "--bind",
                             "--no-tcp",
                             "--pty",
                             "--pty-link",
                             "--baud-emulation",
                             "--seed",
                             "--firmware",
                             "--serial-number",
                             "--trigger-period-ms",
                             "--hwinfo-bytes",
                             "--verbose",
                             "--delay-ms",
                             "--drop-every",
                             "--corrupt-header-every",
                             "--corrupt-data-every",
                             "--error-reply-word",
                             "--error-on",
                             "--split-delivery",
                             "--payload-delay-ms",
                             "--disconnect-after",
                             "--plausibility-word",
                             "--oversize-length",
                             "Examples:",
                             "TCP PORT",
                             "PTY <path>"})
    EXPECT_NE(help.find(option), std::string_view::npos) << option;
  for (const char *order :
       {"  1  ", "  2  ", "  3  ", "  4  ", "  7  ", "  8  ", "  30  ", "  100  ", "  101  ",
        "  102  ", "  103  ", "  105  ", "  110  ", "  190  ", "  194  "})
    EXPECT_NE(help.find(order), std::string_view::npos) << order;
}
