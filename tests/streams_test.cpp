// How the report leaves the program: the two streams on one pipe, and input that arrives in
// pieces through a FIFO or a pipe.
#include <gtest/gtest.h>

#include "program_runner.h"
#include "report_text.h"
#include "riff_bytes.h"

using namespace report;
using riff::Bytes;

namespace {

// A walk with an odd chunk, a negative length and a short last header: every kind of header read.
Bytes varied_file() {
  return riff::main_header(200) + riff::format_chunk() + riff::chunk("LIST", 5, "INFOx") +
         riff::chunk("data", 700, Bytes(700, '\x7F')) + riff::chunk("neg ", 0xFFFFFFF0) + "end";
}

TEST(Streams, ErrorLineComesBeforeReportLinesPrintedEarlierOnOnePipe) {
  TempDir dir;
  dir.write("x.wav", riff::main_header(136, "WAVE", "RIFX"));
  RunOptions merged = in_dir(dir.path());
  merged.merge_streams = true;
  const RunResult result = run_quendal({"x.wav"}, merged);
  // Standard error is unbuffered; standard output into a pipe is held until the end of the run.
  EXPECT_EQ(result.out,
            as_printed("ERROR: wrong file tag (should be RIFF)\n"
                       "main chunk error - we terminate!\n" +
                       file_line("x.wav") + main_lines("58464952 RIFX", "136", "45564157 WAVE") +
                       closing("0", "-2")));
  EXPECT_EQ(result.exit_status, 254);
}

TEST(Streams, FifoFedInSmallPiecesGivesTheReportOfTheFileOnDisk) {
  if (running_foreign_build()) {
    GTEST_SKIP() << "FIFOs are a POSIX matter";
  }
  TempDir on_disk;
  TempDir through_fifo;
  on_disk.write("x.wav", varied_file());
  const RunResult piecewise = run_quendal_on_fifo(through_fifo, "x.wav", varied_file(), 3);
  const RunResult whole = run_quendal({"x.wav"}, in_dir(on_disk.path()));

  EXPECT_EQ(whole.exit_status, 1);
  EXPECT_NE(whole.out.find("frame count=4\n"), std::string::npos) << whole.out;
  EXPECT_EQ(piecewise.out, whole.out);
  EXPECT_EQ(piecewise.err, whole.err);
  EXPECT_EQ(piecewise.exit_status, whole.exit_status);
}

TEST(Streams, PipeOnStandardInputInPiecesGivesTheReportOfTheFileOnDisk) {
  if (running_foreign_build()) {
    GTEST_SKIP() << "/dev/stdin is a POSIX matter";
  }
  TempDir dir;
  const std::string file = dir.write("x.wav", varied_file());
  const RunResult whole = run_quendal({file});
  RunOptions slow_pipe;
  slow_pipe.stdin_data = varied_file();
  slow_pipe.stdin_piece = 5;
  const RunResult piecewise = run_quendal({"/dev/stdin"}, slow_pipe);

  std::string expected = whole.out;
  expected.replace(0, file_line(file).size(), file_line("/dev/stdin"));
  EXPECT_EQ(piecewise.out, expected);
  EXPECT_EQ(piecewise.err, "");
  EXPECT_EQ(piecewise.exit_status, 1);
}

TEST(BundledExample, ReportsTheWorkedExampleLayout) {
  const std::string path = QUENDAL_EXAMPLES_DIR "/example.wav";
  const RunResult result = run_quendal({path});
  EXPECT_EQ(result.out,
            as_printed(standard_head(path, "136") + frame_lines("1", "61746164 data", "100") +
                       after("frame=1", "144 0x90") + closing("144", "1")));
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.exit_status, 1);
}

}  // namespace
