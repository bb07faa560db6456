// POSIX stand-in only: the child is started with posix_spawn of exactly the
// given path and waited for with waitpid, the launcher standing for it
// against signals meanwhile.
#include "platform/child.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <iterator>
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

// While the child runs, the launcher stands for it, as system() does: the
// terminal's interrupt and quit reach the child as well, so the launcher
// ignores them and waits for the child's end; a termination or hang-up sent
// to the launcher alone is passed on to the child.
constexpr int kIgnored[] = {SIGINT, SIGQUIT};
constexpr int kPassedOn[] = {SIGTERM, SIGHUP};

volatile sig_atomic_t ChildPid = 0;

void PassOn(int Signal) {
  int Saved = errno;
  if (ChildPid > 0) kill(static_cast<pid_t>(ChildPid), Signal);
  errno = Saved;
}

struct tDispositions {
  struct sigaction Ignored[std::size(kIgnored)];
  struct sigaction PassedOn[std::size(kPassedOn)];
};

void StandForChild(tDispositions* Old) {
  struct sigaction Ignore = {};
  Ignore.sa_handler = SIG_IGN;
  sigemptyset(&Ignore.sa_mask);
  struct sigaction Forward = {};
  Forward.sa_handler = PassOn;
  sigemptyset(&Forward.sa_mask);
  for (size_t I = 0; I < std::size(kIgnored); ++I)
    sigaction(kIgnored[I], &Ignore, &Old->Ignored[I]);
  for (size_t I = 0; I < std::size(kPassedOn); ++I)
    sigaction(kPassedOn[I], &Forward, &Old->PassedOn[I]);
}

void Restore(const tDispositions& Old) {
  for (size_t I = 0; I < std::size(kIgnored); ++I)
    sigaction(kIgnored[I], &Old.Ignored[I], nullptr);
  for (size_t I = 0; I < std::size(kPassedOn); ++I)
    sigaction(kPassedOn[I], &Old.PassedOn[I], nullptr);
}

} // namespace

uint32_t RunChild(const char* ProgPath, char* CmdLine, uint32_t* ExitStatus) {
  std::vector<std::string> Args = SplitCommandLine(CmdLine);
  std::vector<char*> Argv;
  for (std::string& A : Args)
    Argv.push_back(A.data());
  Argv.push_back(nullptr);

  // A termination that arrives before the child's id is known stays blocked
  // until it is, and is then passed on.
  sigset_t PassedOn, OldMask;
  sigemptyset(&PassedOn);
  for (int Signal : kPassedOn)
    sigaddset(&PassedOn, Signal);
  sigprocmask(SIG_BLOCK, &PassedOn, &OldMask);
  tDispositions Old;
  StandForChild(&Old);

  // The child starts with the default reaction to all four signals and with
  // the launcher's original signal mask.
  sigset_t Defaults = PassedOn;
  for (int Signal : kIgnored)
    sigaddset(&Defaults, Signal);
  posix_spawnattr_t Attr;
  posix_spawnattr_init(&Attr);
  posix_spawnattr_setflags(&Attr, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
  posix_spawnattr_setsigdefault(&Attr, &Defaults);
  posix_spawnattr_setsigmask(&Attr, &OldMask);
  pid_t Pid = 0;
  int Error = posix_spawn(&Pid, ProgPath, nullptr, &Attr, Argv.data(), environ);
  posix_spawnattr_destroy(&Attr);

  int Status = 0;
  if (Error == 0) {
    ChildPid = Pid;
    sigprocmask(SIG_SETMASK, &OldMask, nullptr);
    while (waitpid(Pid, &Status, 0) < 0 && errno == EINTR) {
    }
    ChildPid = 0;
  }
  // Dispositions first, then the mask: when nothing was started, a pending
  // termination meets the launcher's own reaction, not the passing on.
  Restore(Old);
  sigprocmask(SIG_SETMASK, &OldMask, nullptr);
  if (Error != 0) return SpawnError(Error);

  if (WIFSIGNALED(Status))
    *ExitStatus = 128 + static_cast<uint32_t>(WTERMSIG(Status));
  else
    *ExitStatus = static_cast<uint32_t>(WEXITSTATUS(Status));
  return 0;
}
