// The native runner: the same contract as the Windows one, with a spawned
// child whose standard output and standard error share one pipe.
#include "engine/ToolRunner.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "base/TextConvert.h"
#include "engine/ToolCommandLine.h"
#include "engine/ToolOutputBlocks.h"

extern char** environ;

namespace corvane {
namespace {

// Owns one file descriptor.
class CFd {
 public:
  CFd() = default;
  explicit CFd(int fd) : m_fd(fd) {}
  ~CFd() { Close(); }
  CFd(const CFd&) = delete;
  CFd& operator=(const CFd&) = delete;
  int Get() const { return m_fd; }
  void Close() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
  }

 private:
  int m_fd = -1;
};

// Owns the spawn attributes and file actions.
struct SSpawnSetup {
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  SSpawnSetup() {
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
  }
  ~SSpawnSetup() {
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
  }
  SSpawnSetup(const SSpawnSetup&) = delete;
  SSpawnSetup& operator=(const SSpawnSetup&) = delete;
};

// Prepares the child: stdin from /dev/null (never the terminal), stdout and
// stderr both into the pipe, the working folder, its own process group (so
// that stopping it also ends anything it started), default signal handling.
bool PrepareSpawn(SSpawnSetup& setup, int pipeWrite, int pipeRead, const std::string& workingFolder) {
  auto& fa = setup.actions;
  if (posix_spawn_file_actions_addopen(&fa, STDIN_FILENO, "/dev/null", O_RDONLY, 0) != 0) return false;
  if (posix_spawn_file_actions_adddup2(&fa, pipeWrite, STDOUT_FILENO) != 0) return false;
  if (posix_spawn_file_actions_adddup2(&fa, pipeWrite, STDERR_FILENO) != 0) return false;
  if (posix_spawn_file_actions_addclose(&fa, pipeWrite) != 0) return false;
  if (posix_spawn_file_actions_addclose(&fa, pipeRead) != 0) return false;
  if (!workingFolder.empty() && posix_spawn_file_actions_addchdir_np(&fa, workingFolder.c_str()) != 0)
    return false;

  sigset_t none, defaults;
  sigemptyset(&none);
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  sigaddset(&defaults, SIGINT);
  sigaddset(&defaults, SIGTERM);
  auto& attr = setup.attributes;
  if (posix_spawnattr_setsigmask(&attr, &none) != 0) return false;
  if (posix_spawnattr_setsigdefault(&attr, &defaults) != 0) return false;
  if (posix_spawnattr_setpgroup(&attr, 0) != 0) return false;
  return posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF |
                                             POSIX_SPAWN_SETPGROUP) == 0;
}

// Ends the child and everything in its process group, then reaps it so that
// no zombie remains. Harmless when the child has already exited.
void EndChild(pid_t pid) {
  ::kill(-pid, SIGKILL);
  ::kill(pid, SIGKILL);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
}

// Feeds the pipe's blocks to the handler until end of output, a read error,
// the handler's false, or an exception from the handler.
void ReadLoop(int fd, TStdStr<char>& accumulated, const OutputChunkHandler& onChunk) {
  const auto read = [fd](char* buffer, size_t size) -> size_t {
    for (;;) {
      const ssize_t n = ::read(fd, buffer, size);
      if (n < 0 && errno == EINTR) continue;
      return n > 0 ? static_cast<size_t>(n) : 0;
    }
  };
  FeedToolOutput(read, accumulated, onChunk);
}

}  // namespace

bool RunTool(const std::wstring& workingFolder, const std::wstring& commandLine,
             const OutputChunkHandler& onChunk, const OutputDoneHandler& onDone, CToolStop* stop) {
  if (commandLine.empty()) return true;
  if (Utf16Length(commandLine) > kMaxToolCommandLine) return false;

  const std::vector<std::wstring> wideArgs = SplitToolCommandLine(commandLine);
  if (wideArgs.empty()) return false;
  std::vector<std::string> args;
  for (const auto& arg : wideArgs) args.push_back(WideToUtf8(arg));
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return false;
  CFd readEnd(fds[0]);
  CFd writeEnd(fds[1]);

  pid_t pid = 0;
  {
    SSpawnSetup setup;
    if (!PrepareSpawn(setup, writeEnd.Get(), readEnd.Get(), WideToUtf8(workingFolder))) return false;
    if (posix_spawnp(&pid, argv[0], &setup.actions, &setup.attributes, argv.data(), environ) != 0)
      return false;
  }
  // Our copy of the write end must go so that the read end sees end of output
  // when the child exits.
  writeEnd.Close();

  TStdStr<char> accumulated;
  // Until EndChild reaps it the pid cannot be reused, so the stop may kill by it.
  const auto terminate = [pid] {
    ::kill(-pid, SIGKILL);
    ::kill(pid, SIGKILL);
  };
  if (!stop || stop->Attach(terminate)) ReadLoop(readEnd.Get(), accumulated, onChunk);
  if (stop) stop->Detach();
  EndChild(pid);
  readEnd.Close();
  return onDone ? onDone(accumulated) : true;
}

}  // namespace corvane
