// Positions past 4 GiB: a sparse file (its holes take no disk) holding three chunks of
// 2 GiB - 1 data bytes each, every byte of which the program reads.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "program_runner.h"
#include "report_text.h"
#include "riff_bytes.h"

using namespace report;

namespace {

constexpr std::uint32_t largest_length = 0x7FFFFFFF;
constexpr off_t chunk_span = 8 + off_t{largest_length};

TEST(LargeFile, PositionsPastFourGibibytesPrintInFull) {
  TempDir dir;
  const std::string path =
      dir.write("big.wav", riff::main_header(0xFFFFFFFF) + riff::format_chunk());
  const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  const char* const tags[] = {"one ", "two ", "thre"};
  for (int i = 0; i < 3; ++i) {
    const riff::Bytes header = riff::chunk(tags[i], largest_length);
    ASSERT_EQ(pwrite(fd, header.data(), header.size(), 36 + i * chunk_span), 8);
  }
  ASSERT_EQ(ftruncate(fd, 36 + 3 * chunk_span), 0);
  close(fd);

  const RunResult result = run_quendal({"big.wav"}, in_dir(dir.path()));
  EXPECT_EQ(result.out,
            as_printed(file_line("big.wav") + main_lines("46464952 RIFF", "-1", "45564157 WAVE") +
                       after("main chunk", "12 0xC") + default_format_lines() +
                       after("format chunk", "36 0x24") +
                       frame_lines("1", "20656e6f one ", "2147483647") +
                       after("frame=1", "2147483691 0x8000002B") +
                       frame_lines("2", "206f7774 two ", "2147483647") +
                       after("frame=2", "4294967346 0x100000032") +
                       frame_lines("3", "65726874 thre", "2147483647") +
                       after("frame=3", "6442451001 0x180000039") + closing("6442451001", "1")));
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.exit_status, 1);
}

}  // namespace
