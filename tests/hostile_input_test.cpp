// Broken, truncated and hand-made input: every case has its exact expected output, and no input
// may crash the program, stall it, or change the file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "program_runner.h"
#include "report_text.h"
#include "riff_bytes.h"
#include "walk_table.h"

using namespace report;
using riff::Bytes;

namespace {

const char* const cannot_read_main = "ERROR: cannot read header of main chunk\n";
const char* const main_chunk_error = "main chunk error - we terminate!\n";

// Paths that are not ordinary WAVE files at all.
struct PathCase {
  const char* name;
  std::string path;
  std::string out;
  std::string err;
  int exit_status;
};

void PrintTo(const PathCase& c, std::ostream* os) { *os << c.name; }

class OddPaths : public ::testing::TestWithParam<PathCase> {};

TEST_P(OddPaths, GiveTheirExactReport) {
  const PathCase& c = GetParam();
  const RunResult result = run_quendal({c.path});
  EXPECT_EQ(result.out, as_printed(c.out));
  EXPECT_EQ(result.err, as_printed(c.err));
  EXPECT_EQ(result.exit_status, c.exit_status);
}

INSTANTIATE_TEST_SUITE_P(Matrix, OddPaths,
                         ::testing::Values(PathCase{"DevNull", "/dev/null",
                                                    file_line("/dev/null") + cannot_read_main +
                                                        closing("0", "-2"),
                                                    main_chunk_error, 254},
                                           PathCase{"DoesNotExist", "/nonexistent/quendal/x.wav",
                                                    closing("0", "-1"), "", 255},
                                           PathCase{"EmptyPath", "", closing("0", "-1"), "", 255}),
                         [](const auto& test) { return std::string(test.param.name); });

// On POSIX systems a directory opens for reading and its first read fails; Windows refuses to
// open it as a file.
TEST(OddPaths, DirectoryIsNoFileToWalk) {
  TempDir dir;
  const RunResult result = run_quendal({dir.path()});
  if (running_foreign_build()) {
    EXPECT_EQ(result.out, as_printed(closing("0", "-1")));
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exit_status, 255);
  } else {
    EXPECT_EQ(result.out, file_line(dir.path()) + cannot_read_main + closing("0", "-2"));
    EXPECT_EQ(result.err, main_chunk_error);
    EXPECT_EQ(result.exit_status, 254);
  }
}

TEST(OddPaths, FifoFedInTwoBytePiecesGivesTheWorkedExampleReport) {
  if (running_foreign_build()) {
    GTEST_SKIP() << "FIFOs are a POSIX matter";
  }
  TempDir dir;
  const RunResult result = run_quendal_on_fifo(dir, "x.wav", riff::worked_example(), 2);
  EXPECT_EQ(result.out, worked_example_report());
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.exit_status, 1);
}

// Every truncation of a file with a format chunk and two frames ends cleanly: short of the RIFF
// header with -2 at position 0, short of the format chunk with -3 at 12, and from there on with
// code 1 and every byte of the prefix read.
TEST(Truncation, EveryPrefixEndsWithTheRightCodeAndPosition) {
  const Bytes whole = riff::main_header(53) + riff::format_chunk() +
                      riff::chunk("data", 5, "abcde") + riff::chunk("LIST", 4, "INFO");
  ASSERT_EQ(whole.size(), 61U);
  TempDir dir;
  for (std::size_t length = 0; length <= whole.size(); ++length) {
    SCOPED_TRACE("prefix of " + std::to_string(length) + " bytes");
    dir.write("x.wav", whole.substr(0, length));
    const RunResult result = run_quendal({"x.wav"}, in_dir(dir.path()));
    if (length < 12) {
      EXPECT_EQ(result.exit_status, 254);
      EXPECT_EQ(result.err, as_printed(main_chunk_error));
      EXPECT_TRUE(result.out.ends_with(as_printed(cannot_read_main + closing("0", "-2"))));
    } else if (length < 36) {
      EXPECT_EQ(result.exit_status, 253);
      EXPECT_EQ(result.err, as_printed("Fehler Dateiunterkennung\n"));
      EXPECT_TRUE(
          result.out.ends_with(as_printed(after("main chunk", "12 0xC") + closing("12", "-3"))));
    } else {
      EXPECT_EQ(result.exit_status, 1);
      EXPECT_EQ(result.err, "");
      EXPECT_TRUE(result.out.ends_with(as_printed(closing(std::to_string(length), "1"))))
          << result.out;
    }
  }
}

// A data chunk of each interesting length, followed by an empty chunk "next". Data reads go in
// requests of at most 512 bytes; a negative length skips nothing.
struct LengthCase {
  const char* name;
  std::uint32_t length;
  std::size_t data_bytes;  // how many data bytes the fixture really holds
  std::string frames;      // the expected frame lines and progress lines
  std::string last_pos;
};

void PrintTo(const LengthCase& c, std::ostream* os) { *os << c.name; }

class Lengths : public ::testing::TestWithParam<LengthCase> {};

TEST_P(Lengths, SkipExactlyTheDataThatIsThere) {
  const LengthCase& c = GetParam();
  TempDir dir;
  dir.write("x.wav", riff::main_header(136) + riff::format_chunk() +
                         riff::chunk("data", c.length, Bytes(c.data_bytes, 'x')) +
                         riff::chunk("next", 0));
  const RunResult result = run_quendal({"x.wav"}, in_dir(dir.path()));
  EXPECT_EQ(result.out,
            as_printed(standard_head("x.wav", "136") + c.frames + closing(c.last_pos, "1")));
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.exit_status, 1);
}

std::string data_then_next(const std::string& length, const std::string& pos_after_data,
                           const std::string& pos_after_next) {
  return frame_lines("1", "61746164 data", length) + after("frame=1", pos_after_data) +
         frame_lines("2", "7478656e next", "0") + after("frame=2", pos_after_next);
}

INSTANTIATE_TEST_SUITE_P(
    Matrix, Lengths,
    ::testing::Values(
        LengthCase{"Zero", 0, 0, data_then_next("0", "44 0x2C", "52 0x34"), "52"},
        LengthCase{"One", 1, 1, data_then_next("1", "45 0x2D", "53 0x35"), "53"},
        LengthCase{"JustUnderOneRead", 511, 511, data_then_next("511", "555 0x22B", "563 0x233"),
                   "563"},
        LengthCase{"OneWholeRead", 512, 512, data_then_next("512", "556 0x22C", "564 0x234"),
                   "564"},
        LengthCase{"OneByteIntoTheSecondRead", 513, 513,
                   data_then_next("513", "557 0x22D", "565 0x235"), "565"},
        // Far past the end: the data and the header after it are read as data, to the end.
        LengthCase{"LargestPositive", 0x7FFFFFFF, 1000,
                   frame_lines("1", "61746164 data", "2147483647") + after("frame=1", "1052 0x41C"),
                   "1052"},
        LengthCase{"SmallestNegative", 0x80000000, 0,
                   data_then_next("-2147483648", "44 0x2C", "52 0x34"), "52"},
        LengthCase{"MinusOne", 0xFFFFFFFF, 0, data_then_next("-1", "44 0x2C", "52 0x34"), "52"}),
    [](const auto& test) { return std::string(test.param.name); });

// Identifier bytes go out as they stand; the text stops at the first zero byte.
WalkCase frame_identifier(const char* name, const Bytes& tag, const std::string& shown) {
  return {name,
          riff::main_header(136) + riff::format_chunk() + riff::chunk(tag, 0),
          {"x.wav"},
          standard_head("x.wav", "136") + frame_lines("1", shown, "0") +
              after("frame=1", "44 0x2C") + closing("44", "1"),
          "",
          1};
}

INSTANTIATE_TEST_SUITE_P(
    Identifiers, WalkTable,
    ::testing::Values(
        frame_identifier("LeadingZero", Bytes("\0abc", 4), "63626100 "),
        frame_identifier("ControlBytes", Bytes("a\x01\x1b\x7f", 4), "7f1b0161 a\x01\x1b\x7f"),
        frame_identifier("HighBytes", Bytes("\xff\xfe\x80\x90", 4), "9080feff \xff\xfe\x80\x90"),
        WalkCase{
            "ZeroInsideRiff",
            riff::main_header(4, Bytes("W\0VE", 4), Bytes("RI\0F", 4)),
            {"x.wav"},
            file_line("x.wav") + main_lines("46004952 RI", "4", "45560057 W") + closing("0", "-2"),
            std::string("ERROR: wrong file tag (should be RIFF)\n") + main_chunk_error,
            254},
        WalkCase{"ZeroForTheBlankOfFmt",
                 riff::main_header(136) + riff::format_chunk({.tag = Bytes("fmt\0", 4)}),
                 {"x.wav"},
                 file_line("x.wav") + main_lines("46464952 RIFF", "136", "45564157 WAVE") +
                     after("main chunk", "12 0xC") + "Sub-Kennung: 00746d66 fmt\n" +
                     default_format_fields() + closing("12", "-3"),
                 "Falsche Unterkennung\nFehler Dateiunterkennung\n",
                 253}),
    walk_case_name);

// The walk opens its input read-only: neither the bytes nor the modification time change.
TEST(Input, IsNeverChanged) {
  TempDir dir;
  const Bytes bytes = riff::worked_example() + riff::chunk("odd ", 3, "abc") + "tail";
  const std::string path = dir.write("x.wav", bytes);
  const timespec old_times[2] = {{0, 0}, {1'000'000'000, 123'456'789}};  // a mark easy to see
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), old_times, 0), 0);
  struct stat before {};
  ASSERT_EQ(stat(path.c_str(), &before), 0);

  const RunResult result = run_quendal({path});
  EXPECT_EQ(result.exit_status, 1);

  struct stat after_walk {};
  ASSERT_EQ(stat(path.c_str(), &after_walk), 0);
  EXPECT_EQ(after_walk.st_mtim.tv_sec, before.st_mtim.tv_sec);
  EXPECT_EQ(after_walk.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  EXPECT_EQ(after_walk.st_size, before.st_size);
  EXPECT_EQ(after_walk.st_ctim.tv_sec, before.st_ctim.tv_sec);
  EXPECT_EQ(after_walk.st_ctim.tv_nsec, before.st_ctim.tv_nsec);
  char contents[256] = {};
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  const ssize_t got = read(fd, contents, sizeof contents);
  close(fd);
  EXPECT_EQ(Bytes(contents, static_cast<std::size_t>(got)), bytes);
}

}  // namespace
