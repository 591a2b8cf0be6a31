// The platform's file calls behind three names, so the readers and the driver read the same on
// POSIX systems and on Windows.
#pragma once

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
