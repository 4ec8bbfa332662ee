#include "ini/ini_escape.h"

namespace quorvane {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

} // namespace

std::string escapeIniValue(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
    case '\r':
      out += "\\r";
      break;
    case '\n':
      out += "\\n";
      break;
    case '\t':
      out += "\\t";
      break;
    case '"':
      out += "\\\"";
      break;
    case '\\':
      out += "\\\\";
      break;
    default:
      if (byte < 0x20 || byte == 0x7F) {
        out += "\\x";
        out += kHexDigits[byte >> 4];
        out += kHexDigits[byte & 0x0F];
      } else {
        out += c;
      }
    }
  }
  return out;
}

std::string unescapeIniValue(std::string_view stored) {
  std::string out;
  out.reserve(stored.size());
  for (std::size_t i = 0; i < stored.size(); ++i) {
    const char c = stored[i];
    if (c != '\\' || i + 1 == stored.size()) {
      out += c;
      continue;
    }
    const char next = stored[++i];
    switch (next) {
    case 'n':
      out += '\n';
      break;
    case 'r':
      out += '\r';
      break;
    case 't':
      out += '\t';
      break;
    case 'x': {
      const int hi = i + 1 < stored.size() ? hexValue(stored[i + 1]) : -1;
      const int lo = i + 2 < stored.size() ? hexValue(stored[i + 2]) : -1;
      if (hi >= 0 && lo >= 0) {
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
      } else {
        out += 'x';
      }
      break;
    }
    default:
      out += next;
    }
  }
  return out;
}

} // namespace quorvane
