#pragma once
// Which controls the busy lock touches, and how. The lock must let STOP through (it is
// never registered), keep SEND/GET usable during the live loop, and leave the buttons
// that need a verified link dimmed until a handshake succeeds.
#include <optional>

namespace quorvane {

enum class BusyGroup {
  MainTransfer,       // SEND, GET and the RAM/EEPROM/FILE selection
  Go,                 // GO
  ConnectionControls, // try-to-connect, disconnect, baud-rate selector
  VerifiedLink,       // change-baud-rate, hardware-info-file: only a handshake undims them
  PageAction,         // action controls of the other pages and panels
};

// The dimmed state a control of `group` takes for setBusy(keepMainButtons,
// dimmed), or nullopt when the call leaves it as it is.
constexpr std::optional<bool> busyDimmedState(BusyGroup group, bool keepMainButtons, bool dimmed) {
  switch (group) {
  case BusyGroup::MainTransfer:
    if (keepMainButtons) return std::nullopt;
    return dimmed;
  case BusyGroup::VerifiedLink:
    if (!dimmed) return std::nullopt;
    return true;
  case BusyGroup::Go:
  case BusyGroup::ConnectionControls:
  case BusyGroup::PageAction:
    return dimmed;
  }
  return std::nullopt;
}

} // namespace quorvane
