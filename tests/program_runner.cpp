#include "program_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <thread>

namespace {

std::string env_or(const char* name, const std::string& fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : fallback;
}

void check(bool ok, const char* what) {
  if (!ok) {
    throw std::runtime_error(std::string(what) + " failed");
  }
}

// Reads both pipes until each reaches its end, so neither can fill up and stall the program.
void drain(int out_fd, int err_fd, RunResult& result) {
  pollfd fds[2] = {{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}};
  std::string* sinks[2] = {&result.out, &result.err};
  int open_count = err_fd >= 0 ? 2 : 1;
  if (err_fd < 0) {
    fds[1].fd = -1;
  }
  char buffer[4096];
  while (open_count > 0) {
    check(poll(fds, 2, -1) >= 0, "poll");
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) {
        continue;
      }
      const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
      if (got > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(got));
      } else {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open_count;
      }
    }
  }
}

}  // namespace

bool running_foreign_build() { return std::getenv("QUENDAL_PROGRAM") != nullptr; }

std::string as_printed(const std::string& text) {
  if (env_or("QUENDAL_CRLF", "0") != "1") {
    return text;
  }
  std::string converted;
  for (const char c : text) {
    if (c == '\n') {
      converted += '\r';
    }
    converted += c;
  }
  return converted;
}

void write_in_pieces(int fd, const std::string& data, std::size_t piece) {
  for (std::size_t at = 0; at < data.size();) {
    const std::size_t size = piece == 0 ? data.size() - at : std::min(piece, data.size() - at);
    const ssize_t written = write(fd, data.data() + at, size);
    if (written <= 0) {
      return;  // the reader has gone
    }
    at += static_cast<std::size_t>(written);
    if (piece != 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
}

RunResult run_quendal(const std::vector<std::string>& args, const RunOptions& options) {
  std::signal(SIGPIPE, SIG_IGN);  // a program that stops reading must not end the test

  std::vector<std::string> command;
  const std::string launcher = env_or("QUENDAL_LAUNCHER", "");
  if (!launcher.empty()) {
    command.push_back(launcher);
  }
  command.push_back(env_or("QUENDAL_PROGRAM", QUENDAL_BUILT_PROGRAM));
  command.insert(command.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : command) {
    argv.push_back(word.data());
  }
  argv.push_back(nullptr);

  int out_pipe[2];
  int err_pipe[2];
  int in_pipe[2];
  check(pipe2(out_pipe, O_CLOEXEC) == 0 && pipe2(err_pipe, O_CLOEXEC) == 0 &&
            pipe2(in_pipe, O_CLOEXEC) == 0,
        "pipe");

  const pid_t pid = fork();
  check(pid >= 0, "fork");
  if (pid == 0) {
    dup2(in_pipe[0], STDIN_FILENO);
    dup2(out_pipe[1], STDOUT_FILENO);
    dup2(options.merge_streams ? out_pipe[1] : err_pipe[1], STDERR_FILENO);
    if (!options.working_dir.empty() && chdir(options.working_dir.c_str()) != 0) {
      _exit(127);
    }
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(in_pipe[0]);
  close(out_pipe[1]);
  close(err_pipe[1]);
  if (options.merge_streams) {
    close(err_pipe[0]);
  }

  std::thread feeder([&] {
    write_in_pieces(in_pipe[1], options.stdin_data, options.stdin_piece);
    close(in_pipe[1]);
  });
  RunResult result;
  drain(out_pipe[0], options.merge_streams ? -1 : err_pipe[0], result);
  feeder.join();

  int status = 0;
  check(waitpid(pid, &status, 0) == pid, "waitpid");
  result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

RunResult run_quendal_on_fifo(const TempDir& dir, const std::string& name, const std::string& data,
                              std::size_t piece) {
  const std::string fifo = dir.path() + "/" + name;
  check(mkfifo(fifo.c_str(), 0600) == 0, "mkfifo");
  std::thread writer([&] {
    const int fd = open(fifo.c_str(), O_WRONLY | O_CLOEXEC);  // waits for the program to open it
    if (fd >= 0) {
      write_in_pieces(fd, data, piece);
      close(fd);
    }
  });
  RunResult result = run_quendal({name}, in_dir(dir.path()));
  writer.join();
  return result;
}

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quendal-test-XXXXXX").string();
  check(mkdtemp(pattern.data()) != nullptr, "mkdtemp");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::write(const std::string& name, const std::string& bytes) const {
  const std::string file = path_ + "/" + name;
  const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  check(fd >= 0, "open fixture");
  write_in_pieces(fd, bytes, 0);
  close(fd);
  return file;
}
