// POSIX stand-in only: the child is started with posix_spawn of exactly the
// given path and waited for with waitpid.
#include "platform/child.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <string>
#include <vector>

#include "args/args.h"
#include "platform/posix/errors.h"

extern char** environ;

namespace {

// The child's arguments, split from its command line by the launcher's own
// rules.
std::vector<std::string> SplitCommandLine(const char* CmdLine) {
  std::vector<std::string> Args;
  for (;;) {
    int32_t Len = 0;
    SplitNextArgInto(CmdLine, nullptr, 0, &Len);
    if (Len == 0) return Args;
    std::string Arg(static_cast<size_t>(Len), '\0');
    CmdLine = SplitNextArgInto(CmdLine, Arg.data(), Len, &Len);
    Args.push_back(std::move(Arg));
  }
}

uint32_t SpawnError(int Error) {
  switch (Error) {
  case ENOENT:
    return 2;
  case EACCES:
    return 5;
  case ENOEXEC:
    return 193;
  case E2BIG:
    return 206;
  case ENOMEM:
    return 8;
  default:
    return 31;
  }
}

} // namespace

uint32_t RunChild(const char* ProgPath, char* CmdLine, uint32_t* ExitStatus) {
  std::vector<std::string> Args = SplitCommandLine(CmdLine);
  std::vector<char*> Argv;
  for (std::string& A : Args)
    Argv.push_back(A.data());
  Argv.push_back(nullptr);

  pid_t Pid = 0;
  int Error = posix_spawn(&Pid, ProgPath, nullptr, nullptr, Argv.data(), environ);
  if (Error != 0) return SpawnError(Error);

  int Status = 0;
  while (waitpid(Pid, &Status, 0) < 0 && errno == EINTR) {
  }
  if (WIFSIGNALED(Status))
    *ExitStatus = 128 + static_cast<uint32_t>(WTERMSIG(Status));
  else
    *ExitStatus = static_cast<uint32_t>(WEXITSTATUS(Status));
  return 0;
}
