// The error tables of the serial open and the TCP connect.
#include "link/core/link_messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quorvane;

TEST(LinkMessages, SerialOpenTexts) {
  const std::vector<std::pair<int, std::string>> cases = {
      {-1, "Unknown system error"}, {-2, "Invalid port number"}, {-3, "Port is not open"},
      {-4, "Unknown I/0 error"},    {-5, "RS-232 error!"},       {-6, "No serial port found"},
      {-7, "Cannot open port"},     {-14, "Invalid Baudrate"},   {-99, "Timeout"},
      {-8, "RS-232 error!"},        {-100, "RS-232 error!"},
  };
  for (const auto &[code, text] : cases)
    EXPECT_EQ(linktext::rs232ErrorText(code), text) << code;
}

TEST(LinkMessages, TcpConnectTexts) {
  const std::vector<std::pair<int, std::string>> cases = {
      {-1, "UnableToRegisterService"},
      {-2, "UnableToEstablishConnection"},
      {-4, "FailedToConnect"},
      {-9, "InvalidParameter"},
      {-11, "TimeOutError"},
      {-14, "ConnectionClosed"},
      {-17, "NetworkSubsystemNotReady"},
      {-20, "InfoNotAvailable"},
      {-21, "Connection to server failed"},
      {0, "Connection to server failed"},
      {linktext::tcp::kOther, "Connection to server failed"},
  };
  for (const auto &[code, text] : cases)
    EXPECT_EQ(linktext::tcpErrorText(code), text) << code;
}
