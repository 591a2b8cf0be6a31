// End-to-end: the built program run on fixtures made here, its two streams and its exit status
// compared exactly and separately.
#include <gtest/gtest.h>

#include <optional>

#include "program_runner.h"
#include "report_text.h"
#include "riff_bytes.h"
#include "walk_table.h"

using namespace report;
using riff::Bytes;

namespace {

const char* const usage = "usage: quendal wav_file\n";
const char* const main_chunk_error = "main chunk error - we terminate!\n";
const char* const format_error = "Fehler Dateiunterkennung\n";

Bytes with_data_chunk(std::uint32_t length, const Bytes& data) {
  return riff::main_header(136) + riff::format_chunk() + riff::chunk("data", length, data);
}

std::vector<WalkCase> walk_cases() {
  const std::vector<std::string> x = {"x.wav"};
  const std::string head = standard_head("x.wav", "136");
  const std::string riff_lines = main_lines("46464952 RIFF", "136", "45564157 WAVE");
  return {
      {"WorkedExample", riff::worked_example(), x, worked_example_report(), "", 1},

      // The command line.
      {"NoArgument", std::nullopt, {}, closing("0", "0"), usage, 0},
      {"TwoArguments", riff::worked_example(), {"x.wav", "x.wav"}, closing("0", "0"), usage, 0},
      {"MissingFile", std::nullopt, {"missing.wav"}, closing("0", "-1"), "", 255},

      // The RIFF header.
      {"EmptyFile", Bytes{}, x,
       file_line("x.wav") + "ERROR: cannot read header of main chunk\n" + closing("0", "-2"),
       main_chunk_error, 254},
      {"ElevenBytes", riff::main_header(136).substr(0, 11), x,
       file_line("x.wav") + "ERROR: cannot read header of main chunk\n" + closing("0", "-2"),
       main_chunk_error, 254},
      {"RifxRejectedAfterItsLines", riff::main_header(136, "WAVE", "RIFX") + riff::format_chunk(),
       x,
       file_line("x.wav") + main_lines("58464952 RIFX", "136", "45564157 WAVE") +
           closing("0", "-2"),
       std::string("ERROR: wrong file tag (should be RIFF)\n") + main_chunk_error, 254},
      {"Rf64Rejected", riff::main_header(0xFFFFFFFF, "WAVE", "RF64"), x,
       file_line("x.wav") + main_lines("34364652 RF64", "-1", "45564157 WAVE") + closing("0", "-2"),
       std::string("ERROR: wrong file tag (should be RIFF)\n") + main_chunk_error, 254},

      // The format chunk.
      {"OnlyTheRiffHeader", riff::main_header(136), x,
       file_line("x.wav") + riff_lines + after("main chunk", "12 0xC") + closing("12", "-3"),
       format_error, 253},
      {"AviFormTypePassesTheHeader",
       riff::main_header(4, "AVI ") + riff::format_chunk().substr(0, 23), x,
       file_line("x.wav") + main_lines("46464952 RIFF", "4", "20495641 AVI ") +
           after("main chunk", "12 0xC") + closing("12", "-3"),
       format_error, 253},
      {"ListWhereFormatBelongs",
       riff::main_header(136) +
           riff::chunk("LIST", 26, "INFOISFT" + riff::u32(14) + "quendal test\0\0"),
       x,
       file_line("x.wav") + riff_lines + after("main chunk", "12 0xC") +
           "Sub-Kennung: 5453494c LIST\n"
           "Sub-Laenge:  26\n"
           "Format:      4e49\n"
           "Kanaele:     4f46\n"
           "Sample-Freq: 1413894985\n"
           "Bytes/Sample:30065\n"
           "Bits/Sample: 28261\n" +
           closing("12", "-3"),
       std::string("Falsche Unterkennung\n") + format_error, 253},
      {"WidenedFormatFields",
       riff::main_header(36) + riff::format_chunk({.format_tag = 0xFFFE,
                                                   .channels = 10,
                                                   .sample_rate = 0x80000000,
                                                   .block_align = 0xFFFF,
                                                   .bits_per_sample = 0x8000}),
       x,
       file_line("x.wav") + main_lines("46464952 RIFF", "36", "45564157 WAVE") +
           after("main chunk", "12 0xC") +
           "Sub-Kennung: 20746d66 fmt \n"
           "Sub-Laenge:  16\n"
           "Format:      fffffffe\n"
           "Kanaele:     000a\n"
           "Sample-Freq: -2147483648\n"
           "Bytes/Sample:-1\n"
           "Bits/Sample: -32768\n" +
           after("format chunk", "36 0x24") + closing("36", "1"),
       "", 1},

      // Frames.
      {"NothingAfterTheFormatChunk", riff::main_header(136) + riff::format_chunk(), x,
       head + closing("36", "1"), "", 1},
      {"DataRunsPastTheEnd", with_data_chunk(600, Bytes(300, '\x55')), x,
       head + frame_lines("1", "61746164 data", "600") + after("frame=1", "344 0x158") +
           closing("344", "1"),
       "", 1},
      {"EmptyChunkThenOddChunkWithoutPad",
       riff::main_header(136) + riff::format_chunk() + riff::chunk("JUNK", 0) +
           riff::chunk("odd ", 3, "abc") + riff::chunk("data", 2, "zz"),
       x,
       head + frame_lines("1", "4b4e554a JUNK", "0") + after("frame=1", "44 0x2C") +
           frame_lines("2", "2064646f odd ", "3") + after("frame=2", "55 0x37") +
           frame_lines("3", "61746164 data", "2") + after("frame=3", "65 0x41") +
           closing("65", "1"),
       "", 1},
      {"ZeroByteInIdentifierEndsItsText",
       riff::main_header(136) + riff::format_chunk() + riff::chunk(Bytes("d\0ta", 4), 1, "q"), x,
       head + frame_lines("1", "61740064 d", "1") + after("frame=1", "45 0x2D") +
           closing("45", "1"),
       "", 1},
      {"NegativeLengthSkipsNothing",
       riff::main_header(136) + riff::format_chunk() + riff::chunk("data", 0x80000000) +
           riff::chunk("next", 0),
       x,
       head + frame_lines("1", "61746164 data", "-2147483648") + after("frame=1", "44 0x2C") +
           frame_lines("2", "7478656e next", "0") + after("frame=2", "52 0x34") +
           closing("52", "1"),
       "", 1},
      {"LongFormatChunkPutsTheWalkOutOfStep",
       riff::main_header(136) + riff::format_chunk({.length = 18}) + riff::u16(0) +
           riff::chunk("data", 4, "wxyz"),
       x,
       file_line("x.wav") + riff_lines + after("main chunk", "12 0xC") +
           "Sub-Kennung: 20746d66 fmt \n"
           "Sub-Laenge:  18\n"
           "Format:      0001\n"
           "Kanaele:     0001\n"
           "Sample-Freq: 8000\n"
           "Bytes/Sample:2\n"
           "Bits/Sample: 16\n" +
           after("format chunk", "36 0x24") + frame_lines("1", "61640000 ", "287092") +
           after("frame=1", "50 0x32") + closing("50", "1"),
       "", 1},
      // Carriage returns, line feeds and the DOS end-of-file byte 0x1A in the data and in a length
      // field are bytes like any other: the file is read in binary mode.
      {"BinaryBytesPassUntranslated",
       riff::main_header(136) + riff::format_chunk() + riff::chunk("data", 6, "\x1a\r\n\r\n\x1a") +
           "last" + Bytes("\r\n\x1a\0", 4) + "\r\n\x1a\r\n\x1a\r\n\x1a\n\r",
       x,
       head + frame_lines("1", "61746164 data", "6") + after("frame=1", "50 0x32") +
           frame_lines("2", "7473616c last", "1706509") + after("frame=2", "69 0x45") +
           closing("69", "1"),
       "", 1},
      {"ShortFirstHeaderShowsAZeroedBuffer", riff::main_header(136) + riff::format_chunk() + "abc",
       x,
       head + frame_lines("1", "00636261 abc", "0") + after("frame=1", "39 0x27") +
           closing("39", "1"),
       "", 1},
      {"ShortLastHeaderReusesTheBuffer",
       riff::main_header(136) + riff::format_chunk() + riff::chunk("data", 0xFFFFFF04) + "JUNKx", x,
       head + frame_lines("1", "61746164 data", "-252") + after("frame=1", "44 0x2C") +
           frame_lines("2", "4b4e554a JUNK", "-136") + after("frame=2", "49 0x31") +
           closing("49", "1"),
       "", 1},
  };
}

// An argument with wildcards reaches the program as typed: nothing expands it into file names.
TEST(CommandLine, WildcardsArriveAsTyped) {
  TempDir dir;
  dir.write("a.wav", riff::worked_example());
  dir.write("b.wav", riff::worked_example());
  for (const char* pattern : {"*.wav", "?.wav"}) {
    const RunResult result = run_quendal({pattern}, in_dir(dir.path()));
    EXPECT_EQ(result.out, as_printed(closing("0", "-1"))) << pattern;
    EXPECT_EQ(result.err, "") << pattern;
    EXPECT_EQ(result.exit_status, 255) << pattern;
  }
}

}  // namespace

TEST_P(WalkTable, PrintsTheExactReportAndExitStatus) {
  const WalkCase& c = GetParam();
  TempDir dir;
  if (c.file) {
    dir.write("x.wav", *c.file);
  }
  const RunResult result = run_quendal(c.args, in_dir(dir.path()));
  EXPECT_EQ(result.out, as_printed(c.out));
  EXPECT_EQ(result.err, as_printed(c.err));
  EXPECT_EQ(result.exit_status, c.exit_status);
}

INSTANTIATE_TEST_SUITE_P(Cases, WalkTable, ::testing::ValuesIn(walk_cases()), walk_case_name);
