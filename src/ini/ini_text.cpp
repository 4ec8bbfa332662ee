#include "ini/ini_text.h"

#include "ini/ini_escape.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>

namespace quorvane {
namespace {

constexpr std::size_t npos = static_cast<std::size_t>(-1);

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Optional sign, decimal digits, surrounding white space, within 32 bits.
int parseInt(std::string_view text, int &out) {
  text = trimIniBlanks(text);
  if (text.empty()) return 0;
  bool negative = false;
  if (text.front() == '+' || text.front() == '-') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return kIniNotAnInteger;
  for (const char c : text) {
    if (c < '0' || c > '9') return kIniNotAnInteger;
  }
  std::uint64_t magnitude = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
  if (ec != std::errc{} || end != text.data() + text.size()) return kIniNotAnInteger;
  const std::int64_t limit = negative ? -static_cast<std::int64_t>(std::numeric_limits<int>::min())
                                      : std::numeric_limits<int>::max();
  if (magnitude > static_cast<std::uint64_t>(limit)) return kIniNotAnInteger;
  const auto value = static_cast<std::int64_t>(magnitude);
  out = static_cast<int>(negative ? -value : value);
  return 1;
}

} // namespace

std::string_view trimIniBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

std::string normaliseIniName(std::string_view name) {
  std::string out(trimIniBlanks(name));
  for (char &c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::size_t IniText::sectionIndex(std::string_view section) const {
  const std::string key = normaliseIniName(section);
  if (lastSection_ < sections_.size() && sections_[lastSection_].key == key) {
    return lastSection_;
  }
  const auto it = sectionIndex_.find(key);
  if (it == sectionIndex_.end()) return npos;
  lastSection_ = it->second;
  return it->second;
}

const IniSection *IniText::findSection(std::string_view section) const {
  const std::size_t i = sectionIndex(section);
  return i == npos ? nullptr : &sections_[i];
}

const IniItem *IniText::findItem(std::string_view section, std::string_view tag) const {
  const IniSection *s = findSection(section);
  if (s == nullptr) return nullptr;
  const auto it = s->index.find(normaliseIniName(tag));
  return it == s->index.end() ? nullptr : &s->items[it->second];
}

std::size_t IniText::touchSection(std::string_view section, std::string comment) {
  std::size_t i = sectionIndex(section);
  if (i == npos) {
    IniSection fresh;
    fresh.name = std::string(trimIniBlanks(section));
    fresh.key = normaliseIniName(section);
    sections_.reserve(sections_.size() + 1);
    sectionIndex_.emplace(fresh.key, sections_.size());
    sections_.push_back(std::move(fresh));
    i = sections_.size() - 1;
    lastSection_ = i;
  }
  if (!comment.empty()) sections_[i].comment = std::move(comment);
  return i;
}

void IniText::putRaw(std::string_view section, std::string_view tag, std::string value, bool quoted,
                     std::string comment) {
  IniItem item{std::string(trimIniBlanks(tag)), std::move(value), quoted, std::move(comment)};
  std::string key = normaliseIniName(tag);
  IniSection &s = sections_[touchSection(section)];
  const auto it = s.index.find(key);
  if (it != s.index.end()) {
    s.items[it->second] = std::move(item); // replaced in place, keeps its position
    return;
  }
  s.items.reserve(s.items.size() + 1);
  s.index.emplace(std::move(key), s.items.size());
  s.items.push_back(std::move(item));
}

int IniText::putInt(std::string_view section, std::string_view tag, int value) {
  try {
    putRaw(section, tag, std::to_string(value), false);
    return 0;
  } catch (const std::bad_alloc &) {
    return kIniOutOfMemory;
  }
}

int IniText::putString(std::string_view section, std::string_view tag, std::string_view text) {
  try {
    putRaw(section, tag, escapeIniValue(text), true);
    return 0;
  } catch (const std::bad_alloc &) {
    return kIniOutOfMemory;
  }
}

int IniText::getInt(std::string_view section, std::string_view tag, int &out) const {
  const IniItem *item = findItem(section, tag);
  return item == nullptr ? 0 : parseInt(unescapeIniValue(item->value), out);
}

std::optional<std::string> IniText::getString(std::string_view section,
                                              std::string_view tag) const {
  const IniItem *item = findItem(section, tag);
  if (item == nullptr) return std::nullopt;
  return unescapeIniValue(item->value);
}

int IniText::getStringIntoBuffer(std::string_view section, std::string_view tag, char *buffer,
                                 std::size_t bufferSize) const {
  if (buffer == nullptr || bufferSize == 0) return kIniInvalidHandle;
  buffer[0] = '\0';
  try {
    const auto value = getString(section, tag);
    if (!value) return 0;
    const std::size_t n = std::min(value->size(), bufferSize - 1);
    std::memcpy(buffer, value->data(), n);
    buffer[n] = '\0';
    return 1;
  } catch (const std::bad_alloc &) {
    return kIniOutOfMemory;
  }
}

bool IniText::hasSection(std::string_view section) const {
  return findSection(section) != nullptr;
}

bool IniText::hasItem(std::string_view section, std::string_view tag) const {
  return findItem(section, tag) != nullptr;
}

std::string IniText::comment(std::string_view section, std::string_view tag) const {
  if (tag.empty()) {
    const IniSection *s = findSection(section);
    return s == nullptr ? std::string() : s->comment;
  }
  const IniItem *item = findItem(section, tag);
  return item == nullptr ? std::string() : item->comment;
}

} // namespace quorvane
