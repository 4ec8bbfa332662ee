#include "core/file_test_support.h"
#include "recorder/core/line_append.h"
#include "recorder/core/record_outcome.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>

namespace quorvane {
namespace {

using quorvane::testing::readBytes;
using quorvane::testing::runInChild;
using quorvane::testing::ScratchDir;
using quorvane::testing::writeBytes;
using Status = FileWriteResult::Status;

TEST(LineAppend, AppendsWholeLinesAndCreatesTheFile) {
  ScratchDir dir;
  const std::string path = dir.file("RecordFile.dat");
  EXPECT_TRUE(appendLineToFile(path, "first\r\n").ok());
  EXPECT_TRUE(appendLineToFile(path, "second\r\n").ok());
  EXPECT_EQ(readBytes(path), "first\r\nsecond\r\n");
}

TEST(LineAppend, PlacesThatCannotTakeALineAreReportedWithoutAHang) {
  ScratchDir dir;
  const std::string fifo = dir.file("pipe.dat");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::filesystem::create_directory(dir.file("folder.dat"));
  const struct {
    std::string path;
    Status status;
  } cases[] = {
      {dir.file("missing/RecordFile.dat"), Status::CannotOpen},
      {dir.file("folder.dat"), Status::CannotOpen},
      {fifo, Status::CannotOpen}, // nobody reading: refused at once
  };
  for (const auto &c : cases) {
    const FileWriteResult r = appendLineToFile(c.path, "line\r\n");
    EXPECT_EQ(r.status, c.status) << c.path;
    EXPECT_NE(r.error, 0) << c.path;
    EXPECT_FALSE(r.message().empty());
  }
  EXPECT_FALSE(std::filesystem::exists(dir.file("missing")));
}

TEST(LineAppend, ShortWriteLeavesNoFragmentBehindTheGoodLines) {
  const std::string good = "01-02-2024\t10:00:00\t1\t2\t3\r\n";
  const std::string line = "01-02-2024\t10:00:01\t4095\t4095\t4095\t-1\t255\r\n";
  // Room for part of the line, and for none of it.
  for (const rlim_t room : {rlim_t{10}, rlim_t{0}}) {
    ScratchDir dir;
    const std::string path = dir.file("RecordFile.dat");
    writeBytes(path, good);
    const int result = runInChild(
        [&] {
          std::signal(SIGXFSZ, SIG_IGN);
          const rlimit limit{good.size() + room, good.size() + room};
          ::setrlimit(RLIMIT_FSIZE, &limit);
          return -static_cast<int>(appendLineToFile(path, line).status);
        },
        false);
    EXPECT_EQ(result, -static_cast<int>(Status::WriteFailed)) << room;
    EXPECT_EQ(readBytes(path), good) << room;
    // The next line that fits is appended normally.
    EXPECT_TRUE(appendLineToFile(path, line).ok());
    EXPECT_EQ(readBytes(path), good + line);
  }
}

TEST(LineAppend, FreshStartReplacesAnExistingFile) {
  ScratchDir dir;
  const std::string existing = dir.file("old.dat");
  writeBytes(existing, "old lines\r\n");
  const std::string fresh = dir.file("new.dat");
  for (const auto &path : {existing, fresh}) {
    EXPECT_TRUE(startFileWith(path, "\nHEADER\r\n").ok());
    EXPECT_EQ(readBytes(path), "\nHEADER\r\n");
  }
}

TEST(LineAppend, FreshStartThatCannotDeleteKeepsTheOldFile) {
  ScratchDir dir;
  std::filesystem::create_directory(dir.file("locked"));
  const std::string path = dir.file("locked/RecordFile.dat");
  writeBytes(path, "old lines\r\n");
  ::chmod(path.c_str(), 0666);
  ::chmod(dir.file("locked").c_str(), 0555);
  const int result =
      runInChild([&] { return -static_cast<int>(startFileWith(path, "HEADER\r\n").status); }, true);
  ::chmod(dir.file("locked").c_str(), 0755);
  EXPECT_EQ(result, -static_cast<int>(Status::CannotRemove));
  EXPECT_EQ(readBytes(path), "old lines\r\n");
}

TEST(RecordTally, EndMessageSaysWhenLinesAreMissing) {
  const FileWriteResult ok;
  const FileWriteResult full{Status::WriteFailed, ENOSPC};
  const FileWriteResult closed{Status::CannotOpen, EACCES};
  const struct {
    std::vector<FileWriteResult> lines;
    std::string_view title;
    std::string message;
  } cases[] = {
      {{}, "INFO!", "File has been saved!"},
      {{ok, ok, ok}, "INFO!", "File has been saved!"},
      {{ok, full, closed, ok},
       "ATTENTION!",
       "File has not been saved completely! \n2 of 4 records could not be written (cannot "
       "write: " +
           std::string(std::strerror(ENOSPC)) + ")."},
  };
  for (const auto &c : cases) {
    RecordTally tally;
    for (const auto &r : c.lines)
      tally.add(r);
    EXPECT_EQ(tally.endTitle(), c.title);
    EXPECT_EQ(tally.endMessage(), c.message);
  }
}

} // namespace
} // namespace quorvane
