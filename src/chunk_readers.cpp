#include "chunk_readers.h"

#include <cstdio>
#include <cstring>

#include "platform.h"

namespace {

constexpr int skip_buffer_size = 512;

// Frames seen by read_frame in this process; never reset.
std::uint32_t frame_count = 0;

// Reads until the header is whole, the file ends or a read fails: a pipe, a FIFO or a terminal
// may deliver fewer bytes than asked long before the end. Returns the bytes gathered, or the
// result of the first read when it delivered nothing.
int read_header(int fd, unsigned char* header, int size) {
  int gathered = 0;
  while (gathered < size) {
    const int delivered = read_input(fd, header + gathered, size - gathered);
    if (delivered <= 0) {
      return gathered > 0 ? gathered : delivered;
    }
    gathered += delivered;
  }
  return gathered;
}

std::uint32_t unsigned32(const unsigned char* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8U |
         static_cast<std::uint32_t>(bytes[2]) << 16U | static_cast<std::uint32_t>(bytes[3]) << 24U;
}

// Lengths and the sample rate: a value with its top bit set is negative.
long signed32(const unsigned char* bytes) {
  return static_cast<long>(static_cast<std::int32_t>(unsigned32(bytes)));
}

// 16-bit fields are sign-extended before they are printed, in hexadecimal too (0xFFFE shows as
// fffffffe).
int widened16(const unsigned char* bytes) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8U));
}

// Prints an identifier as its little-endian value and as text; the text stops at a zero byte, and
// every other byte is written as it stands.
void print_identifier(const char* label, const unsigned char* bytes) {
  char id_text[5];
  std::memcpy(id_text, bytes, 4);
  id_text[4] = '\0';
  report("%s%08lx %s\n", label, static_cast<unsigned long>(unsigned32(bytes)), id_text);
}

bool has_identifier(const unsigned char* bytes, const char* expected) {
  return std::memcmp(bytes, expected, 4) == 0;
}

}  // namespace

int read_main_chunk(int fd) {
  unsigned char header[main_chunk_size];
  if (read_header(fd, header, main_chunk_size) != main_chunk_size) {
    report("ERROR: cannot read header of main chunk\n");
    return -1;
  }
  print_identifier("Kennung:     ", header);
  report("Laenge:      %ld\n", signed32(header + 4));
  print_identifier("Typ:         ", header + 8);
  if (!has_identifier(header, "RIFF")) {
    std::fprintf(stderr, "ERROR: wrong file tag (should be RIFF)\n");
    return -2;
  }
  return main_chunk_size;
}

int read_format_chunk(int fd) {
  unsigned char chunk[format_chunk_size];
  if (read_header(fd, chunk, format_chunk_size) != format_chunk_size) {
    return -1;
  }
  // Bytes 16 to 19, the average bytes per second, are consumed and never shown.
  print_identifier("Sub-Kennung: ", chunk);
  report("Sub-Laenge:  %ld\n", signed32(chunk + 4));
  report("Format:      %04x\n", static_cast<unsigned>(widened16(chunk + 8)));
  report("Kanaele:     %04x\n", static_cast<unsigned>(widened16(chunk + 10)));
  report("Sample-Freq: %ld\n", signed32(chunk + 12));
  report("Bytes/Sample:%d\n", widened16(chunk + 20));
  report("Bits/Sample: %d\n", widened16(chunk + 22));
  if (!has_identifier(chunk, "fmt ")) {
    std::fprintf(stderr, "Falsche Unterkennung\n");
    return -1;
  }
  return format_chunk_size;
}

std::int64_t read_frame(int fd, unsigned char (&frame_header)[frame_header_size]) {
  const int header_bytes = read_header(fd, frame_header, frame_header_size);
  if (header_bytes <= 0) {
    return -1;
  }
  // A short header (1 to 7 bytes at the end of the file) is still a frame; the bytes it did not
  // fill show what the buffer held before.
  std::int64_t total = header_bytes;
  ++frame_count;
  report("frame count=%u\n", static_cast<unsigned>(frame_count));
  print_identifier("Kennung: ", frame_header);
  const long length = signed32(frame_header + 4);
  report("Laenge:  %ld\n", length);

  // Data is skipped by reading it, so every byte counted was really there. A negative length
  // skips nothing, and no pad byte is taken after an odd length.
  unsigned char skip_buffer[skip_buffer_size];
  long remaining = length;
  while (remaining > 0) {
    const int request =
        remaining < skip_buffer_size ? static_cast<int>(remaining) : skip_buffer_size;
    const int delivered = read_input(fd, skip_buffer, request);
    if (delivered <= 0) {
      break;
    }
    remaining -= delivered;
    total += delivered;
  }
  return total;
}
