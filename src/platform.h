// The platform's calls behind a few names, so the readers and the driver read the same on POSIX
// systems and on Windows: the input file's open, read and close, and the report's output.
#pragma once

#include <cinttypes>
#include <cstdarg>
#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

// Opens an existing file for reading only, in binary mode, letting others go on reading and
// writing it. Returns a negative value when the file cannot be opened.
inline int open_input(const char* path) {
#ifdef _WIN32
  return _sopen(path, _O_RDONLY | _O_BINARY, _SH_DENYNO);
#else
  return open(path, O_RDONLY | O_NOCTTY | O_CLOEXEC);
#endif
}

// One read request to the system: the bytes delivered, 0 at the end of the file, negative on a
// failure. Never retries; a caller that needs a whole header loops itself.
inline int read_input(int fd, unsigned char* buffer, int size) {
#ifdef _WIN32
  return _read(fd, buffer, static_cast<unsigned>(size));
#else
  return static_cast<int>(read(fd, buffer, static_cast<size_t>(size)));
#endif
}

inline void close_input(int fd) {
#ifdef _WIN32
  _close(fd);
#else
  close(fd);
#endif
}

// Report lines go to standard output through the C runtime's printf, which keeps the stream's
// buffering: line by line on a terminal, in full buffers into a file or a pipe. On Windows,
// mingw's C99 printf (what <cstdio> gives C++ there) writes every call through at once, so the
// report goes to the Windows C runtime's own printf instead. Error messages use std::fprintf on
// stderr, which is unbuffered on POSIX systems and written through at once by mingw's fprintf.
#ifdef __MINGW32__
#define QUENDAL_REPORT_STYLE ms_printf
#define QUENDAL_PRId64 "I64d"  // the Windows runtime's conversions for a 64-bit value
#define QUENDAL_PRIX64 "I64X"
#else
#define QUENDAL_REPORT_STYLE printf
#define QUENDAL_PRId64 PRId64
#define QUENDAL_PRIX64 PRIX64
#endif

// NOLINTNEXTLINE(cert-dcl50-cpp): a printf-style function is the report's output interface
__attribute__((format(QUENDAL_REPORT_STYLE, 1, 2))) inline void report(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
#ifdef __MINGW32__
  __ms_vprintf(format, arguments);
#else
  std::vprintf(format, arguments);
#endif
  va_end(arguments);
}
