// POSIX stand-in only: the process's own command line, path, environment,
// output and end, shaped as the Windows build sees them.
#include "platform/self.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

extern char** environ;

namespace {

std::string CmdLine;
std::string EnvBlock;

// The arguments are joined by blanks, and one that is empty or holds a
// separator byte is put in double quotes, as a shell on Windows would type
// it. Splitting the line gives most arguments back unchanged, but not all,
// exactly as the same typed command would behave on Windows: an empty
// argument becomes "", which the splitter skips, so the arguments after it
// move up by one; and a double quote inside an argument opens or closes a
// quoted section, so the argument merges with its neighbours.
bool NeedsQuotes(const char* Arg) {
  if (*Arg == 0) return true;
  for (const char* P = Arg; *P != 0; ++P)
    if (static_cast<unsigned char>(*P) <= 0x20) return true;
  return false;
}

void WriteAll(int Fd, const char* Bytes, int32_t Count) {
  while (Count > 0) {
    ssize_t N = write(Fd, Bytes, static_cast<size_t>(Count));
    if (N <= 0) return;
    Bytes += N;
    Count -= static_cast<int32_t>(N);
  }
}

} // namespace

void PlatformStartup(int Argc, char** Argv) {
  for (int I = 0; I < Argc; ++I) {
    if (I > 0) CmdLine += ' ';
    bool Quote = NeedsQuotes(Argv[I]);
    if (Quote) CmdLine += '"';
    CmdLine += Argv[I];
    if (Quote) CmdLine += '"';
  }
}

const char* OwnCommandLine() {
  return CmdLine.c_str();
}

bool OwnModulePath(char (&Buf)[kModulePathBuf]) {
  ssize_t N = readlink("/proc/self/exe", Buf, kModulePathBuf - 1);
  if (N <= 0) return false;
  Buf[N] = 0;
  return true;
}

const char* EnvironmentBlock() {
  if (EnvBlock.empty()) {
    for (char** E = environ; *E != nullptr; ++E)
      EnvBlock.append(*E, std::strlen(*E) + 1);
    EnvBlock += '\0';
  }
  return EnvBlock.c_str();
}

void WriteStdout(const char* Bytes, int32_t Count) {
  WriteAll(STDOUT_FILENO, Bytes, Count);
}
void WriteStderr(const char* Bytes, int32_t Count) {
  WriteAll(STDERR_FILENO, Bytes, Count);
}

void ExitWith(uint32_t Status) {
  std::exit(static_cast<int>(Status));
}
