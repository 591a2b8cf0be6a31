// Runs the built quendal as a process and captures its streams and exit status.
//
// QUENDAL_PROGRAM in the environment names another build of the program (a Windows .exe, say),
// QUENDAL_LAUNCHER a command to start it with (such as wine64), and QUENDAL_CRLF=1 tells the
// tests that every line feed comes out as carriage return and line feed.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct RunResult {
  std::string out;
  std::string err;
  int exit_status = -1;  // 0 to 255, or -1 when the process did not exit normally
};

struct RunOptions {
  std::string working_dir;      // empty: the test's own
  bool merge_streams = false;   // standard error onto the standard output pipe
  std::string stdin_data;       // written to the program's standard input ...
  std::size_t stdin_piece = 0;  // ... in pieces of this many bytes (0: all at once)
};

// Options for a run in the given working directory.
inline RunOptions in_dir(const std::string& working_dir) {
  RunOptions options;
  options.working_dir = working_dir;
  return options;
}

// Runs the program with these arguments (not counting its own name).
RunResult run_quendal(const std::vector<std::string>& args, const RunOptions& options = {});

// True when the program under test is not this machine's native build.
bool running_foreign_build();

// The text as the program prints it on this platform: line feeds become CR LF under QUENDAL_CRLF.
std::string as_printed(const std::string& text);

// Writes data to fd in pieces of piece bytes with a short pause after each, as a slow writer
// would (0: all at once).
void write_in_pieces(int fd, const std::string& data, std::size_t piece);

class TempDir;

// Makes a FIFO called name in dir and runs the program on it from dir, while a writer feeds it
// data in pieces of piece bytes.
RunResult run_quendal_on_fifo(const TempDir& dir, const std::string& name, const std::string& data,
                              std::size_t piece);

// A fresh directory under the system's temporary folder, removed with its files at destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  // Writes a file in the directory and returns its full path.
  std::string write(const std::string& name, const std::string& bytes) const;

 private:
  std::string path_;
};
