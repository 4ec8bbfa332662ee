#pragma once
// Operator-facing texts of the link: exchange failures and the open/connect error tables.
#include <string_view>

namespace quorvane::linktext {

inline constexpr std::string_view kTimeout =
    "TIMEOUT! \nNO DATA RECEIVED! \nCOMMUNICATION ERROR! \nCHECK POWER SUPPLY AND COM SETTINGS. "
    "\nTRY TO CONNECT AGAIN!";
inline constexpr std::string_view kBadHeader = "ATTENTION! \nRECEIVED HEADER FRAME IS INCORRECT!";
inline constexpr std::string_view kBadData = "ATTENTION! \nRECEIVED DATA FRAME IS INCORRECT!";
inline constexpr std::string_view kInvalidOrder =
    "INVALIDE ORDER NUMBER!\nVERIFY PC AND SENSOR SOFTWARE!";
inline constexpr std::string_view kReduceBaudrate =
    "COMMUNICATION ERROR!\nYOU MAY HAVE TO REDUCE BAUDRATE!";
inline constexpr std::string_view kServerClosed = "SERVER HAS CLOSED CONNECTION!";
// Shown in the connection status field after any link failure.
inline constexpr std::string_view kTimeoutStatus = "TIMEOUT!";

// Error codes of the serial open, as the messages below know them.
namespace rs232 {
inline constexpr int kUnknownSystemError = -1;
inline constexpr int kInvalidPortNumber = -2;
inline constexpr int kPortNotOpen = -3;
inline constexpr int kUnknownIoError = -4;
inline constexpr int kNoSerialPort = -6;
inline constexpr int kCannotOpenPort = -7;
inline constexpr int kInvalidBaudrate = -14;
inline constexpr int kTimeout = -99;
} // namespace rs232

// Error codes of the TCP connect.
namespace tcp {
inline constexpr int kUnableToRegisterService = -1;
inline constexpr int kUnableToEstablishConnection = -2;
inline constexpr int kFailedToConnect = -4;
inline constexpr int kInvalidParameter = -9;
inline constexpr int kOutOfMemory = -10;
inline constexpr int kTimeOutError = -11;
inline constexpr int kGeneralIoErr = -13;
inline constexpr int kConnectionClosed = -14;
inline constexpr int kNetworkSubsystemNotReady = -17;
inline constexpr int kOther = -100; // anything the table does not name
} // namespace tcp

// Message for a failed serial open; codes outside the table get the generic text.
[[nodiscard]] std::string_view rs232ErrorText(int code);
// Message for a failed TCP connect; codes outside the table get the generic text.
[[nodiscard]] std::string_view tcpErrorText(int code);

} // namespace quorvane::linktext
