/* The floor of a walk: every byte of the file read in requests of 512 bytes, and nothing else.
 * quendal reads the same way, so its cost over this loop is the cost of the walk itself.
 * Built with -DPRINT_TOTAL it also prints the byte count with printf, which shows what the C
 * library's formatted output costs on its own. */
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

int main(int argc, char** argv) {
  if (argc != 2) {
    return 2;
  }
  const int fd = open(argv[1], O_RDONLY);
  if (fd < 0) {
    return 1;
  }
  char buffer[512];
  long long total = 0;
  ssize_t got;
  while ((got = read(fd, buffer, sizeof buffer)) > 0) {
    total += got;
  }
  close(fd);
#ifdef PRINT_TOTAL
  printf("last read pos=%lld\n", total);
#else
  (void)total;
#endif
  return 0;
}
