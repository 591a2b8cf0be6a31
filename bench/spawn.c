/* Runs one program once and prints what it cost: wall nanoseconds, CPU nanoseconds, peak
 * resident memory in KiB and the exit status.
 *
 *     spawn OUTPUT PROGRAM [ARGUMENT ...]
 *
 * The program's standard output goes to OUTPUT. The kernel counts the memory a process had
 * before its exec into its peak, so the program is started from this small, statically linked
 * launcher rather than from the benchmark script, whose own memory would be counted instead. */
#define _GNU_SOURCE
#include <fcntl.h>
#include <spawn.h>
#include <stdio.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char** environ;

static long long nanoseconds(struct timeval t) {
  return (long long)t.tv_sec * 1000000000LL + (long long)t.tv_usec * 1000LL;
}

int main(int argc, char** argv) {
  if (argc < 3) {
    fprintf(stderr, "usage: spawn OUTPUT PROGRAM [ARGUMENT ...]\n");
    return 2;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, argv[1], O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);

  struct timespec start, end;
  clock_gettime(CLOCK_MONOTONIC, &start);
  pid_t pid;
  if (posix_spawn(&pid, argv[2], &actions, NULL, argv + 2, environ) != 0) {
    perror("spawn: posix_spawn");
    return 2;
  }
  int status = 0;
  struct rusage usage;
  if (wait4(pid, &status, 0, &usage) != pid) {
    perror("spawn: wait4");
    return 2;
  }
  clock_gettime(CLOCK_MONOTONIC, &end);
  const long long wall = (end.tv_sec - start.tv_sec) * 1000000000LL + (end.tv_nsec - start.tv_nsec);
  printf("%lld %lld %ld %d\n", wall, nanoseconds(usage.ru_utime) + nanoseconds(usage.ru_stime),
         usage.ru_maxrss, WIFEXITED(status) ? WEXITSTATUS(status) : -1);
  return 0;
}
