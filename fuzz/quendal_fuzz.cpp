// libFuzzer target: every input is handed to the real walk as a file, through a real descriptor,
// and the run must keep what holds for every file:
//   - the return code is 1, -2 or -3 (the file always opens);
//   - the closing report states that code, and the last read position is 0 for -2, 12 for -3 and
//     the size of the input for 1 (every byte is read);
//   - the walk closes the descriptor it opened.
// The report goes into a memory file instead of the terminal, where the target reads it back.
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "quendal.h"

namespace {

int input_fd = -1;   // memory file holding the current input
int report_fd = -1;  // memory file standing in for standard output
char input_path[64];
// Standard error as it was at start-up: -close_fd_mask=2 silences the walk's own messages, not
// the target's findings.
FILE* diagnostics = stderr;

[[noreturn]] void fail(const char* what, const char* report_tail) {
  std::fprintf(diagnostics, "quendal_fuzz: %s\nend of the report:\n%s\n", what, report_tail);
  std::fflush(diagnostics);
  std::abort();
}

// The lowest descriptor number that is free: a descriptor left open by the walk raises it.
int lowest_free_descriptor() {
  const int probe = dup(STDIN_FILENO);
  close(probe);
  return probe;
}

// The last bytes of the report, where the closing report stands.
void read_report_tail(char (&tail)[128]) {
  const off_t size = lseek(report_fd, 0, SEEK_END);
  const off_t start = size > off_t{sizeof tail - 1} ? size - off_t{sizeof tail - 1} : 0;
  const ssize_t got = pread(report_fd, tail, static_cast<size_t>(size - start), start);
  tail[got > 0 ? got : 0] = '\0';
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  input_fd = memfd_create("quendal-input", MFD_CLOEXEC);
  report_fd = memfd_create("quendal-report", MFD_CLOEXEC);
  if (input_fd < 0 || report_fd < 0 || dup2(report_fd, STDOUT_FILENO) < 0) {
    std::perror("quendal_fuzz: memory files");
    std::exit(1);
  }
  const int saved_stderr = dup(STDERR_FILENO);
  if (saved_stderr >= 0) {
    FILE* saved = fdopen(saved_stderr, "w");
    diagnostics = saved != nullptr ? saved : stderr;
  }
  std::snprintf(input_path, sizeof input_path, "/proc/self/fd/%d", input_fd);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (ftruncate(input_fd, 0) != 0 ||
      (size > 0 && pwrite(input_fd, data, size, 0) != static_cast<ssize_t>(size)) ||
      ftruncate(report_fd, 0) != 0 || lseek(report_fd, 0, SEEK_SET) != 0) {
    fail("cannot prepare the input", "");
  }

  const int free_before = lowest_free_descriptor();
  char program[] = "quendal";
  char* argv[] = {program, input_path, nullptr};
  const int code = quendal_main(2, argv);
  std::fflush(stdout);

  char tail[128];
  read_report_tail(tail);
  if (lowest_free_descriptor() != free_before) {
    fail("the walk left its file open", tail);
  }
  if (code != 1 && code != -2 && code != -3) {
    fail("unexpected return code", tail);
  }
  const char* closing = std::strstr(tail, "last read pos=");
  std::int64_t last_pos = -1;
  int reported_code = 0;
  if (closing == nullptr ||
      std::sscanf(closing, "last read pos=%" SCNd64 "\nreturn code=%d\n", &last_pos,
                  &reported_code) != 2 ||
      reported_code != code) {
    fail("the closing report is missing or states another code", tail);
  }
  const std::int64_t expected_pos =
      code == 1 ? static_cast<std::int64_t>(size) : (code == -3 ? 12 : 0);
  if (last_pos != expected_pos) {
    fail("the last read position is not what the walk read", tail);
  }
  return 0;
}
