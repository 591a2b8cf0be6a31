// quendal: prints how a RIFF file of the WAVE kind is laid out, header by header, with the
// running read position, and ends every run with the last position and its return code.
#include "quendal.h"

#include <cstdint>
#include <cstdio>

#include "chunk_readers.h"
#include "platform.h"

#ifdef _WIN32
// Arguments arrive as typed: the C runtime must not expand wildcards in them.
extern "C" {
int _dowildcard = 0;
}
#endif

namespace {

// Positions are 64-bit on every platform (long is 32-bit on Windows), so a file past 2 GiB shows
// its true positions.
void print_position(const char* step, std::int64_t read_pos) {
  report("after %s read pos=%" QUENDAL_PRId64 " 0x%" QUENDAL_PRIX64 "\n\n", step, read_pos,
         static_cast<std::uint64_t>(read_pos));
}

// Runs the readers over an open file in their fixed order. Adds what each consumed to read_pos
// and returns the run's code: 1 when the walk reached its end, -2 or -3 when the RIFF header or
// the format chunk was rejected.
int walk_chunks(int fd, std::int64_t& read_pos) {
  const int main_chunk_bytes = read_main_chunk(fd);
  if (main_chunk_bytes < 0) {
    std::fprintf(stderr, "main chunk error - we terminate!\n");
    return -2;
  }
  read_pos += main_chunk_bytes;
  print_position("main chunk", read_pos);

  const int format_chunk_bytes = read_format_chunk(fd);
  if (format_chunk_bytes < 0) {
    std::fprintf(stderr, "Fehler Dateiunterkennung\n");
    return -3;
  }
  read_pos += format_chunk_bytes;
  print_position("format chunk", read_pos);

  // Zeroed once for the run and then reused: a short last header shows the bytes of the frame
  // before it where it was not filled.
  unsigned char frame_header[frame_header_size] = {};
  std::uint32_t frame_number = 0;
  for (;;) {
    const std::int64_t frame_bytes = read_frame(fd, frame_header);
    if (frame_bytes <= 0) {
      break;
    }
    read_pos += frame_bytes;
    ++frame_number;
    report("after frame=%u read pos=%" QUENDAL_PRId64 " 0x%" QUENDAL_PRIX64 "\n\n",
           static_cast<unsigned>(frame_number), read_pos, static_cast<std::uint64_t>(read_pos));
  }
  return 1;
}

}  // namespace

int quendal_main(int argc, char** argv) {
  int fd = -1;
  int return_code = 0;
  std::int64_t read_pos = 0;

  if (argc != 2) {
    std::fprintf(stderr, "usage: quendal wav_file\n");
  } else {
    fd = open_input(argv[1]);
    if (fd < 0) {
      return_code = -1;  // nothing but the closing report for a file that cannot be opened
    } else {
      report("file:        %s\n", argv[1]);
      return_code = walk_chunks(fd, read_pos);
    }
  }

  report("last read pos=%" QUENDAL_PRId64 "\n", read_pos);
  report("return code=%d\n", return_code);
  if (fd >= 0) {
    close_input(fd);
  }
  return return_code;
}

#ifndef QUENDAL_NO_MAIN
int main(int argc, char** argv) { return quendal_main(argc, argv); }
#endif
