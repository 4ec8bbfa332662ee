#include "ini/ini_text.h"

#include <cstdio>
#include <memory>
#include <new>
#include <vector>

namespace quorvane {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool equalsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// "<base> Line0001" -> base and 1. At least four digits; more than nine cannot be a
// piece of any value this process could hold.
bool splitPieceTag(std::string_view tag, std::string_view &base, int &number) {
  std::size_t digits = 0;
  while (digits < tag.size() && tag[tag.size() - 1 - digits] >= '0' &&
         tag[tag.size() - 1 - digits] <= '9') {
    ++digits;
  }
  constexpr std::string_view kMarker = " line";
  if (digits < 4 || digits > 9 || tag.size() < digits + kMarker.size()) return false;
  const std::size_t markerAt = tag.size() - digits - kMarker.size();
  if (!equalsNoCase(tag.substr(markerAt, kMarker.size()), kMarker)) return false;
  number = 0;
  for (const char c : tag.substr(tag.size() - digits))
    number = number * 10 + (c - '0');
  base = tag.substr(0, markerAt);
  return !trimIniBlanks(base).empty();
}

class IniParser {
public:
  explicit IniParser(IniText &doc) : doc_(doc) {}

  void feed(std::string_view chunk) {
    for (const char c : chunk) {
      if (c == '\0') continue; // dropped: no writer puts one into a line
      if (c == '\n' && afterCr_) {
        afterCr_ = false;
        continue;
      }
      afterCr_ = c == '\r';
      if (c == '\r' || c == '\n') {
        endLine();
      } else {
        line_ += c;
      }
    }
  }

  void finish() {
    if (!line_.empty()) endLine();
    flushPieces();
  }

private:
  struct Piece {
    std::string tag;
    std::string value;
    bool quoted;
    std::string comment;
  };

  void endLine() {
    std::string_view text = line_;
    if (firstLine_ && text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    firstLine_ = false;
    handleLine(trimIniBlanks(text));
    line_.clear();
  }

  void handleLine(std::string_view text) {
    if (text.empty()) return;
    if (text.front() == ';') {
      if (!comment_.empty()) comment_ += '\n';
      comment_ += text.substr(1);
      return;
    }
    if (text.front() == '[' && text.size() >= 2 && text.back() == ']') {
      flushPieces();
      section_ = std::string(trimIniBlanks(text.substr(1, text.size() - 2)));
      doc_.touchSection(section_, std::move(comment_));
      inSection_ = true;
      comment_.clear();
      return;
    }
    const std::size_t eq = text.find('=');
    if (eq == std::string_view::npos) return;
    const std::string_view tag = trimIniBlanks(text.substr(0, eq));
    std::string_view value = trimIniBlanks(text.substr(eq + 1));
    if (!inSection_ || tag.empty()) {
      comment_.clear();
      return;
    }
    const bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
    if (quoted) value = value.substr(1, value.size() - 2);
    handleItem(tag, value, quoted);
    comment_.clear();
  }

  void handleItem(std::string_view tag, std::string_view value, bool quoted) {
    std::string_view base;
    int number = 0;
    const bool isPiece = splitPieceTag(tag, base, number);
    if (isPiece && !pieces_.empty() && number == static_cast<int>(pieces_.size()) + 1 &&
        quoted == pieces_.front().quoted && normaliseIniName(base) == pieceBase_) {
      pieces_.push_back({std::string(tag), std::string(value), quoted, std::move(comment_)});
      return;
    }
    flushPieces();
    if (isPiece && number == 1) {
      pieceBase_ = normaliseIniName(base);
      pieceBaseText_ = std::string(trimIniBlanks(base));
      pieces_.push_back({std::string(tag), std::string(value), quoted, std::move(comment_)});
      return;
    }
    doc_.putRaw(section_, tag, std::string(value), quoted, std::move(comment_));
  }

  // A whole sequence becomes one item; anything doubtful stays as it was read.
  void flushPieces() {
    if (pieces_.empty()) return;
    bool whole = pieces_.size() >= 2;
    for (std::size_t i = 0; whole && i < pieces_.size(); ++i) {
      const std::size_t n = pieces_[i].value.size();
      whole = i + 1 < pieces_.size() ? n == kIniMaxValueLineLength
                                     : n >= 1 && n <= kIniMaxValueLineLength;
    }
    if (whole) {
      std::string joined;
      joined.reserve(pieces_.size() * kIniMaxValueLineLength);
      for (const Piece &p : pieces_)
        joined += p.value;
      doc_.putRaw(section_, pieceBaseText_, std::move(joined), pieces_.front().quoted,
                  std::move(pieces_.front().comment));
    } else {
      for (Piece &p : pieces_) {
        doc_.putRaw(section_, p.tag, std::move(p.value), p.quoted, std::move(p.comment));
      }
    }
    pieces_.clear();
  }

  IniText &doc_;
  std::string line_;
  bool afterCr_ = false;
  bool firstLine_ = true;
  bool inSection_ = false;
  std::string section_;
  std::string comment_;
  std::vector<Piece> pieces_;
  std::string pieceBase_;     // normalised, for matching
  std::string pieceBaseText_; // as read, for the joined item
};

// Adds every section and item of `from` to `into`, replacing items with equal tags.
void mergeInto(IniText &into, IniText &&from) {
  if (into.sections().empty()) {
    into = std::move(from);
    return;
  }
  for (const IniSection &s : from.sections()) {
    into.touchSection(s.name, s.comment);
    for (const IniItem &item : s.items) {
      into.putRaw(s.name, item.tag, item.value, item.quoted, item.comment);
    }
  }
}

struct FileCloser {
  void operator()(std::FILE *f) const { std::fclose(f); }
};

} // namespace

int IniText::readFromText(std::string_view text) {
  try {
    IniText staging;
    IniParser parser(staging);
    parser.feed(text);
    parser.finish();
    mergeInto(*this, std::move(staging));
    return 0;
  } catch (const std::bad_alloc &) {
    return kIniOutOfMemory;
  }
}

int IniText::readFromFile(const std::string &path) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) return kIniCannotOpen;
  try {
    IniText staging;
    IniParser parser(staging);
    std::vector<char> chunk(64 * 1024);
    std::size_t n = 0;
    while ((n = std::fread(chunk.data(), 1, chunk.size(), file.get())) > 0) {
      parser.feed(std::string_view(chunk.data(), n));
    }
    // A read error (a directory, an I/O fault) leaves the document as it was.
    if (std::ferror(file.get())) return kIniCannotOpen;
    parser.finish();
    mergeInto(*this, std::move(staging));
    return 0;
  } catch (const std::bad_alloc &) {
    return kIniOutOfMemory;
  }
}

} // namespace quorvane
