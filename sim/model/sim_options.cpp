#include "model/sim_options.h"

#include "link/core/frame.h"

#include <charconv>
#include <functional>
#include <limits>
#include <vector>

namespace quorvane::sim {

std::string defaultFirmware() {
  return std::string("QUORVANE ANA V1.3.2  build ") + __DATE__;
}

namespace {

// Unsigned number in decimal or 0x hexadecimal, within [lo, hi].
std::optional<std::uint64_t> parseNumber(std::string_view text, std::uint64_t lo,
                                         std::uint64_t hi) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  if (text.empty()) return std::nullopt;
  std::uint64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < lo || value > hi) return std::nullopt;
  return value;
}

struct OptionDef {
  std::string_view name;
  bool takesValue;
  // Returns an empty string on success, else what is wrong with the value.
  std::function<std::string(SimOptions &, std::string_view)> apply;
};

template <typename T>
std::function<std::string(SimOptions &, std::string_view)>
number(T SimOptions::*member, std::uint64_t lo, std::uint64_t hi) {
  return [member, lo, hi](SimOptions &o, std::string_view v) -> std::string {
    const auto n = parseNumber(v, lo, hi);
    if (!n) return "expects a number from " + std::to_string(lo) + " to " + std::to_string(hi);
    o.*member = static_cast<T>(*n);
    return {};
  };
}

template <typename T>
std::function<std::string(SimOptions &, std::string_view)>
optionalNumber(std::optional<T> SimOptions::*member, std::uint64_t lo, std::uint64_t hi) {
  return [member, lo, hi](SimOptions &o, std::string_view v) -> std::string {
    const auto n = parseNumber(v, lo, hi);
    if (!n) return "expects a number from " + std::to_string(lo) + " to " + std::to_string(hi);
    o.*member = static_cast<T>(*n);
    return {};
  };
}

std::function<std::string(SimOptions &, std::string_view)> flag(bool SimOptions::*member) {
  return [member](SimOptions &o, std::string_view) -> std::string {
    o.*member = true;
    return {};
  };
}

const std::vector<OptionDef> &optionSpecs() {
  constexpr std::uint64_t u16 = 0xFFFF;
  constexpr std::uint64_t u32 = 0xFFFFFFFFu;
  static const std::vector<OptionDef> definitions = {
      {"--tcp-port", true, number(&SimOptions::tcpPort, 0, u16)},
      {"--bind", true,
       [](SimOptions &o, std::string_view v) -> std::string {
         if (v.empty()) return "expects an address";
         o.bind = std::string(v);
         return {};
       }},
      {"--no-tcp", false, flag(&SimOptions::noTcp)},
      {"--pty", false, flag(&SimOptions::pty)},
      {"--pty-link", true,
       [](SimOptions &o, std::string_view v) -> std::string {
         if (v.empty()) return "expects a path";
         o.ptyLink = std::string(v);
         o.pty = true;
         return {};
       }},
      {"--baud-emulation", false, flag(&SimOptions::baudEmulation)},
      {"--seed", true, number(&SimOptions::seed, 0, std::numeric_limits<std::uint64_t>::max())},
      {"--firmware", true,
       [](SimOptions &o, std::string_view v) -> std::string {
         o.firmware = std::string(v);
         return {};
       }},
      {"--serial-number", true, number(&SimOptions::serialNumber, 0, u16)},
      {"--trigger-period-ms", true, number(&SimOptions::triggerPeriodMs, 2, 3600000)},
      {"--hwinfo-bytes", true, number(&SimOptions::hwinfoBytes, 0, kMaxPayload)},
      {"--verbose", false, flag(&SimOptions::verbose)},
      {"--delay-ms", true, number(&SimOptions::delayMs, 0, 3600000)},
      {"--drop-every", true, number(&SimOptions::dropEvery, 1, u32)},
      {"--corrupt-header-every", true, number(&SimOptions::corruptHeaderEvery, 1, u32)},
      {"--corrupt-data-every", true, number(&SimOptions::corruptDataEvery, 1, u32)},
      {"--error-reply-word", true, optionalNumber(&SimOptions::errorReplyWord, 0, u16)},
      {"--error-on", true, optionalNumber(&SimOptions::errorOn, 0, 255)},
      {"--split-delivery", false, flag(&SimOptions::splitDelivery)},
      {"--payload-delay-ms", true, number(&SimOptions::payloadDelayMs, 0, 3600000)},
      {"--disconnect-after", true, number(&SimOptions::disconnectAfter, 1, u32)},
      {"--plausibility-word", true, optionalNumber(&SimOptions::plausibilityWord, 0, u16)},
      {"--oversize-length", false, flag(&SimOptions::oversizeLength)},
      {"--calibration-reply-bytes", true,
       optionalNumber(&SimOptions::calibrationReplyBytes, 0, 11)},
      {"--stall-scope-every", true, number(&SimOptions::stallScopeEvery, 1, u32)},
  };
  return definitions;
}

const OptionDef *findOption(std::string_view name) {
  for (const auto &s : optionSpecs())
    if (s.name == name) return &s;
  return nullptr;
}

} // namespace

ParsedOptions parseSimOptions(std::span<const std::string_view> args) {
  ParsedOptions result;
  const auto fail = [&](std::string message) {
    result.error = std::move(message) + "\nTry 'quorvane-sensor-sim --help' for more information.";
    return result;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string_view arg = args[i];
    if (arg == "--help" || arg == "-h") {
      result.showHelp = true;
      continue;
    }
    std::optional<std::string_view> inlineValue;
    if (const auto eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
      inlineValue = arg.substr(eq + 1);
      arg = arg.substr(0, eq);
    }
    const OptionDef *def = findOption(arg);
    if (!def) return fail("unknown option: " + std::string(args[i]));
    std::string_view value;
    if (def->takesValue) {
      if (inlineValue) {
        value = *inlineValue;
      } else {
        if (i + 1 >= args.size()) return fail("option " + std::string(arg) + " needs a value");
        value = args[++i];
      }
    } else if (inlineValue) {
      return fail("option " + std::string(arg) + " takes no value");
    }
    if (auto problem = def->apply(result.options, value); !problem.empty())
      return fail("option " + std::string(arg) + " " + problem + ", not '" + std::string(value) +
                  "'");
  }
  const SimOptions &o = result.options;
  if (o.errorReplyWord.has_value() != o.errorOn.has_value())
    return fail("--error-reply-word and --error-on go together");
  if (!result.showHelp && o.noTcp && !o.pty)
    return fail("--no-tcp without --pty leaves nothing to serve");
  return result;
}

} // namespace quorvane::sim
