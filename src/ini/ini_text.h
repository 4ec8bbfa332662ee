#pragma once
// IniText: an in-memory INI document, the store behind every settings and data file.
//
// Written text: "[name]" per section, "tag = value" per item (strings between double
// quotes), CR LF after every line and one empty line after each section. A value longer
// than 80 characters is written as "<tag> Line0001", "<tag> Line0002", ... pieces of 80
// characters, each quoted on its own. Values are kept in escaped form (see ini_escape.h),
// so the pieces split and join the escaped text.
//
// Reader choices, where the format itself leaves room:
// - LF, CR LF and a lone CR all end a line; a UTF-8 byte-order mark at the very start of
//   the file is skipped (editors add one, and it would hide the first section).
// - NUL bytes are dropped from a line; the rest of the line is kept.
// - Lines of any length are read (a multi-megabyte value is just a long item).
// - Lines without "=" that are neither blank, comment nor section are skipped, as are
//   items with an empty tag and every item before the first section.
// - Comment lines (";") are attached to the next section or item (see comment()) but are
//   not written back: every file of this tool is rewritten from its records, so comments
//   would only ever describe stale content.
// - Pieces "<base> LineNNNN" are joined into "<base>" only when the sequence is whole:
//   consecutive items of one section numbered 1, 2, 3, ... (at least four digits; the
//   writer produces five from piece 10000 on), all quoted alike, at least two of them,
//   every piece but the last exactly 80 characters and the last 1 to 80. Anything else
//   (a missing first piece, a gap, a short middle piece) is kept as separate items under
//   their own tags instead of guessing a value. (Only hand-made files hold unquoted long
//   values; a blank at the edge of such a piece is trimmed, so that value stays split.)
//
// Documents are always unsorted: sections and items keep the order in which they were
// first put. Duplicate checking is always on.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quorvane {

// Result codes. Success is 1 for gets and 0 (or more) for puts, reads and writes.
inline constexpr int kIniInvalidHandle = -65; // null document or null argument
inline constexpr int kIniOutOfMemory = -12;
inline constexpr int kIniCannotOpen = -5001;   // file cannot be opened or read
inline constexpr int kIniNotAnInteger = -5021; // value present but not an integer
inline constexpr int kIniAccessDenied = -95;   // target or its directory not writable
inline constexpr int kIniDiskFull = -97;
inline constexpr int kIniWriteError = -93; // any other write failure

inline constexpr std::size_t kIniMaxValueLineLength = 80;
inline constexpr std::size_t kIniMaxTagLength = 255;
inline constexpr std::size_t kIniMaxPieceTagLength = 246;
inline constexpr std::size_t kIniMaxLineLength = 1024;

struct IniItem {
  std::string tag;   // without surrounding white space
  std::string value; // escaped form
  bool quoted = false;
  std::string comment; // comment lines read above it, joined by "\n"
};

struct IniSection {
  std::string name;
  std::string key; // normalised name
  std::vector<IniItem> items;
  std::string comment;
  // Normalised tag -> index into items; duplicate checking keeps tags unique.
  std::unordered_map<std::string, std::size_t> index;
};

class IniText {
public:
  // Puts return 0 on success, kIniOutOfMemory (document unchanged) on failure.
  [[nodiscard]] int putInt(std::string_view section, std::string_view tag, int value);
  [[nodiscard]] int putString(std::string_view section, std::string_view tag,
                              std::string_view text);

  // 1 and `out` set when the value is an integer (optional sign, decimal digits,
  // surrounding white space, within 32 bits); 0 when the item is missing or its value
  // is blank (`out` unchanged); kIniNotAnInteger otherwise.
  [[nodiscard]] int getInt(std::string_view section, std::string_view tag, int &out) const;
  // Empties the buffer first; on a hit copies at most bufferSize - 1 bytes of the
  // unescaped value plus a terminating zero and returns 1; 0 when missing.
  [[nodiscard]] int getStringIntoBuffer(std::string_view section, std::string_view tag,
                                        char *buffer, std::size_t bufferSize) const;
  // The unescaped value, whole.
  [[nodiscard]] std::optional<std::string> getString(std::string_view section,
                                                     std::string_view tag) const;
  [[nodiscard]] bool hasSection(std::string_view section) const;
  [[nodiscard]] bool hasItem(std::string_view section, std::string_view tag) const;
  // Comment text read above an item (empty tag: above the section line).
  [[nodiscard]] std::string comment(std::string_view section, std::string_view tag = {}) const;

  // Adds the file's content (existing items with the same tags are replaced). 0 on
  // success; kIniCannotOpen when it cannot be opened or read (document unchanged);
  // kIniOutOfMemory.
  [[nodiscard]] int readFromFile(const std::string &path);
  // Same rules, from text in memory.
  [[nodiscard]] int readFromText(std::string_view text);

  // Writes through a temporary file in the target's directory, synced and renamed over
  // the target, so an existing file is either replaced whole or left as it was. 0 on
  // success, else kIniAccessDenied, kIniDiskFull, kIniOutOfMemory or kIniWriteError.
  [[nodiscard]] int writeToFile(const std::string &path) const;
  // The exact bytes writeToFile puts into the file.
  [[nodiscard]] std::string toText() const;

  [[nodiscard]] const std::vector<IniSection> &sections() const { return sections_; }

  // Put with an already escaped value; used by the reader. Throws std::bad_alloc.
  void putRaw(std::string_view section, std::string_view tag, std::string value, bool quoted,
              std::string comment = {});
  // Finds or appends a section; returns its index. Throws std::bad_alloc.
  std::size_t touchSection(std::string_view section, std::string comment = {});

private:
  const IniItem *findItem(std::string_view section, std::string_view tag) const;
  const IniSection *findSection(std::string_view section) const;
  std::size_t sectionIndex(std::string_view section) const; // npos when missing

  std::vector<IniSection> sections_;
  std::unordered_map<std::string, std::size_t> sectionIndex_;
  // The section found last is checked first: callers read a section key by key.
  mutable std::size_t lastSection_ = 0;
};

// Names match without regard to ASCII case and surrounding blanks.
[[nodiscard]] std::string normaliseIniName(std::string_view name);
[[nodiscard]] std::string_view trimIniBlanks(std::string_view text);

// Maps an errno of a failed write, sync, close or rename to the result code.
[[nodiscard]] int iniWriteErrorCode(int errnoValue);

// The operations under their classic names, for callers that hold a document by
// pointer. Every one returns kIniInvalidHandle for a null document or argument.
[[nodiscard]] IniText *Ini_New(int automaticSorting); // null when sorting is asked for
int Ini_Dispose(IniText *handle);
[[nodiscard]] int Ini_PutInt(IniText *handle, const char *section, const char *tag, int value);
// A null text counts as the empty string.
[[nodiscard]] int Ini_PutString(IniText *handle, const char *section, const char *tag,
                                const char *text);
[[nodiscard]] int Ini_GetInt(const IniText *handle, const char *section, const char *tag,
                             int *value);
[[nodiscard]] int Ini_GetStringIntoBuffer(const IniText *handle, const char *section,
                                          const char *tag, char *buffer, int bufferSize);
[[nodiscard]] int Ini_ReadFromFile(IniText *handle, const char *path);
[[nodiscard]] int Ini_WriteToFile(const IniText *handle, const char *path);

} // namespace quorvane
