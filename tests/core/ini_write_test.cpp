// The written text (pieces, limits) and the safe replacement of files.
#include "file_test_support.h"
#include "ini/ini_text.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace quorvane;
using quorvane::testing::readBytes;
using quorvane::testing::runInChild;
using quorvane::testing::ScratchDir;
using quorvane::testing::writeBytes;

TEST(IniWrite, LongValuesAreSplitIntoQuotedPieces) {
  const std::string a80(80, 'a'), b80(80, 'b');
  struct Case {
    std::string value;
    std::string lines; // the item lines between "[S]\r\n" and the closing empty line
  };
  const std::vector<Case> cases = {
      {a80, "K = \"" + a80 + "\"\r\n"},
      {a80 + "z", "K Line0001 = \"" + a80 + "\"\r\nK Line0002 = \"z\"\r\n"},
      {a80 + b80, "K Line0001 = \"" + a80 + "\"\r\nK Line0002 = \"" + b80 + "\"\r\n"},
      {a80 + b80 + "c",
       "K Line0001 = \"" + a80 + "\"\r\nK Line0002 = \"" + b80 + "\"\r\nK Line0003 = \"c\"\r\n"},
  };
  for (const auto &c : cases) {
    IniText doc;
    ASSERT_EQ(doc.putString("S", "K", c.value), 0);
    EXPECT_EQ(doc.toText(), "[S]\r\n" + c.lines + "\r\n") << c.value.size();
    IniText back;
    ASSERT_EQ(back.readFromText(doc.toText()), 0);
    EXPECT_EQ(back.getString("S", "K"), c.value) << c.value.size();
    EXPECT_EQ(back.sections()[0].items.size(), 1u);
  }
}

TEST(IniWrite, EscapesCountTowardsThePieceLength) {
  // 79 letters and a quote: the escaped text is 81 characters, the quote's backslash
  // ends the first piece.
  IniText doc;
  ASSERT_EQ(doc.putString("S", "K", std::string(79, 'a') + "\""), 0);
  EXPECT_EQ(doc.toText(), "[S]\r\nK Line0001 = \"" + std::string(79, 'a') +
                              "\\\"\r\nK Line0002 = \"\"\"\r\n\r\n");
  IniText back;
  ASSERT_EQ(back.readFromText(doc.toText()), 0);
  EXPECT_EQ(back.getString("S", "K"), std::string(79, 'a') + "\"");
}

TEST(IniWrite, PieceNumbersGrowPastFourDigitsAndStillJoin) {
  const std::string value(80 * 10000 + 5, 'v');
  IniText doc;
  ASSERT_EQ(doc.putString("S", "BIG", value), 0);
  const std::string text = doc.toText();
  EXPECT_NE(text.find("BIG Line9999 = "), std::string::npos);
  EXPECT_NE(text.find("BIG Line10001 = \"vvvvv\"\r\n"), std::string::npos);
  IniText back;
  ASSERT_EQ(back.readFromText(text), 0);
  EXPECT_EQ(back.getString("S", "BIG"), value);
}

TEST(IniWrite, TagsAreCutToTheirLimits) {
  const std::string tag(300, 't');
  IniText doc;
  ASSERT_EQ(doc.putInt("S", tag, 1), 0);
  ASSERT_EQ(doc.putString("S", tag + "x", std::string(81, 'v')), 0);
  const std::string text = doc.toText();
  EXPECT_NE(text.find("\r\n" + std::string(255, 't') + " = 1\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n" + std::string(246, 't') + " Line0001 = \""), std::string::npos);
  EXPECT_NE(text.find("\r\n" + std::string(246, 't') + " Line0002 = \"v\"\r\n"), std::string::npos);
}

TEST(IniWrite, EmptySectionAndEmptyValues) {
  IniText doc;
  (void)doc.touchSection("EMPTY");
  ASSERT_EQ(doc.putString("S", "Q", ""), 0);
  EXPECT_EQ(doc.toText(), "[EMPTY]\r\n\r\n[S]\r\nQ = \"\"\r\n\r\n");
  EXPECT_EQ(IniText().toText(), "");
}

TEST(IniWriteFile, WritesTheTextAndReplacesAnOldFile) {
  ScratchDir dir;
  const std::string path = dir.file("Parameter.ini");
  writeBytes(path, "old content that is longer than the new one\r\n");
  ::chmod(path.c_str(), 0640);
  IniText doc;
  ASSERT_EQ(doc.putInt("PARAMETER", "POWER", 500), 0);
  EXPECT_EQ(doc.writeToFile(path), 0);
  EXPECT_EQ(readBytes(path), doc.toText());
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u); // the file keeps its permissions
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"Parameter.ini"});
  // Through the classic name, to a new file.
  EXPECT_EQ(Ini_WriteToFile(&doc, dir.file("new.ini").c_str()), 0);
  EXPECT_EQ(readBytes(dir.file("new.ini")), doc.toText());
}

TEST(IniWriteFile, LinkedFileStaysLinked) {
  ScratchDir dir;
  writeBytes(dir.file("real.ini"), "old");
  std::filesystem::create_symlink(dir.file("real.ini"), dir.file("link.ini"));
  IniText doc;
  ASSERT_EQ(doc.putInt("S", "K", 1), 0);
  EXPECT_EQ(doc.writeToFile(dir.file("link.ini")), 0);
  EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.ini")));
  EXPECT_EQ(readBytes(dir.file("real.ini")), doc.toText());
}

TEST(IniWriteFile, RefusedWritesLeaveTheOldFileAndNoTemporary) {
  ScratchDir dir;
  IniText doc;
  ASSERT_EQ(doc.putString("S", "K", std::string(100000, 'x')), 0);
  const std::string old = "[S]\r\nK = 1\r\n\r\n";

  // Read-only directory: no temporary file can be made beside the target.
  std::filesystem::create_directory(dir.path() / "ro");
  const std::string roFile = (dir.path() / "ro" / "PanelSettings.cfg").string();
  writeBytes(roFile, old);
  ::chmod(roFile.c_str(), 0666);
  ::chmod((dir.path() / "ro").c_str(), 0555);
  EXPECT_EQ(runInChild([&] { return doc.writeToFile(roFile); }, true), kIniAccessDenied);
  const std::string roNew = (dir.path() / "ro" / "new.ini").string();
  EXPECT_EQ(runInChild([&] { return doc.writeToFile(roNew); }, true), kIniAccessDenied);
  EXPECT_EQ(readBytes(roFile), old);
  EXPECT_FALSE(std::filesystem::exists(roNew));
  ::chmod((dir.path() / "ro").c_str(), 0755);

  // Read-only file in a writable directory.
  const std::string locked = dir.file("locked.ini");
  writeBytes(locked, old);
  ::chmod(locked.c_str(), 0444);
  ::chmod(dir.path().c_str(), 0777);
  EXPECT_EQ(runInChild([&] { return doc.writeToFile(locked); }, true), kIniAccessDenied);
  EXPECT_EQ(readBytes(locked), old);

  // A directory in the way, and a directory that does not exist.
  std::filesystem::create_directory(dir.path() / "adir");
  EXPECT_EQ(doc.writeToFile(dir.file("adir")), kIniAccessDenied);
  EXPECT_EQ(doc.writeToFile(dir.file("missing/x.ini")), kIniWriteError);
  EXPECT_EQ(doc.writeToFile(""), kIniWriteError);

  const std::vector<std::string> expected{"adir", "locked.ini", "ro"};
  EXPECT_EQ(dir.entries(), expected);
}

TEST(IniWriteFile, FailureWhileWritingRemovesTheTemporaryFile) {
  ScratchDir dir;
  const std::string path = dir.file("HardwareInitialFile.ini");
  const std::string old = "[S]\r\nK = 1\r\n\r\n";
  writeBytes(path, old);
  IniText doc;
  ASSERT_EQ(doc.putString("S", "K", std::string(200000, 'x')), 0);
  // A file-size limit makes the write itself fail half way (EFBIG).
  const int result = runInChild(
      [&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{20000, 20000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        return doc.writeToFile(path);
      },
      false);
  EXPECT_EQ(result, kIniWriteError);
  EXPECT_EQ(readBytes(path), old);
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"HardwareInitialFile.ini"});
}

TEST(IniWriteFile, ErrorNumbersMapToResultCodes) {
  const std::vector<std::pair<int, int>> cases = {
      {EACCES, kIniAccessDenied}, {EPERM, kIniAccessDenied}, {EROFS, kIniAccessDenied},
      {ENOSPC, kIniDiskFull},     {EDQUOT, kIniDiskFull},    {ENOMEM, kIniOutOfMemory},
      {EIO, kIniWriteError},      {EFBIG, kIniWriteError},   {ENOENT, kIniWriteError},
  };
  for (const auto &[error, code] : cases)
    EXPECT_EQ(iniWriteErrorCode(error), code) << error;
}

TEST(IniWrite, AStoredTextEndingInABackslashKeepsItsClosingQuote) {
  for (const std::string line : {"x = \"a\\", "x = \"a\\\\\\", "x = \"a\\\\\""}) {
    IniText doc;
    ASSERT_EQ(doc.readFromText("[S]\r\n" + line + "\r\n"), 0) << line;
    IniText again;
    ASSERT_EQ(again.readFromText(doc.toText()), 0) << line;
    EXPECT_EQ(again.getString("S", "x"), doc.getString("S", "x")) << line;
  }
}
