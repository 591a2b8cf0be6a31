// The three readers of a RIFF file: the RIFF header, the format chunk, and every chunk after it
// (a "frame"). Each reads straight on from where the previous read stopped, prints its own report
// lines and returns the bytes it consumed, or a negative value on failure.
#pragma once

#include <cstdint>

constexpr int main_chunk_size = 12;
constexpr int format_chunk_size = 24;
constexpr int frame_header_size = 8;

// 12 on success; -1 when fewer than 12 bytes could be read; -2 when the identifier is not "RIFF".
int read_main_chunk(int fd);

// 24 on success; -1 when fewer than 24 bytes could be read or the identifier is not "fmt ".
int read_format_chunk(int fd);

// The header bytes plus the data bytes read for one chunk (at least 1); -1 at the end of the file
// or on a failed header read. The total is 64-bit: a chunk of 2 GiB and more is counted whole.
// frame_header belongs to the caller and keeps its bytes from one call to the next.
std::int64_t read_frame(int fd, unsigned char (&frame_header)[frame_header_size]);
