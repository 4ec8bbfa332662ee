#include "link/core/link_messages.h"

#include <array>
#include <utility>

namespace quorvane::linktext {

namespace {

struct CodeText {
  int code;
  std::string_view text;
};

constexpr std::array kRs232Texts = {
    CodeText{-1, "Unknown system error"}, CodeText{-2, "Invalid port number"},
    CodeText{-3, "Port is not open"},     CodeText{-4, "Unknown I/0 error"},
    CodeText{-6, "No serial port found"}, CodeText{-7, "Cannot open port"},
    CodeText{-14, "Invalid Baudrate"},    CodeText{-99, "Timeout"},
};

// Index i holds the text of code -(i + 1).
constexpr std::array<std::string_view, 20> kTcpTexts = {
    "UnableToRegisterService",
    "UnableToEstablishConnection",
    "ExistingServer",
    "FailedToConnect",
    "ServerNotRegistered",
    "TooManyConversations",
    "ReadFailed",
    "WriteFailed",
    "InvalidParameter",
    "OutOfMemory",
    "TimeOutError",
    "NoConnectionEstablished",
    "GeneralIOErr",
    "ConnectionClosed",
    "UnableToLoadWinsockDLL",
    "IncorrectWinsockDLLVersion",
    "NetworkSubsystemNotReady",
    "ConnectionsStillOpen",
    "DisconnectPending",
    "InfoNotAvailable",
};

} // namespace

std::string_view rs232ErrorText(int code) {
  for (const CodeText &entry : kRs232Texts)
    if (entry.code == code) return entry.text;
  return "RS-232 error!";
}

std::string_view tcpErrorText(int code) {
  if (code <= -1 && code >= -static_cast<int>(kTcpTexts.size()))
    return kTcpTexts[static_cast<std::size_t>(-code - 1)];
  return "Connection to server failed";
}

} // namespace quorvane::linktext
