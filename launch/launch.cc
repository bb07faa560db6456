#include "launch/launch.h"

#include <cstring>

#include "launcher/state.h"
#include "platform/child.h"

bool BuildChildCmdLine(char* Buf, int32_t Cap, const char* ProgPath, const char* ArgLine) {
  size_t PathLen = std::strlen(ProgPath);
  size_t ArgLen = std::strlen(ArgLine);
  // Two quotes, the blank and the 0 byte come on top of the two texts.
  if (Cap < 4 || PathLen > static_cast<size_t>(Cap) - 4 ||
      ArgLen > static_cast<size_t>(Cap) - 4 - PathLen)
    return false;
  char* P = Buf;
  *P++ = '"';
  std::memcpy(P, ProgPath, PathLen);
  P += PathLen;
  *P++ = '"';
  *P++ = ' ';
  std::memcpy(P, ArgLine, ArgLen);
  P[ArgLen] = 0;
  return true;
}

uint32_t ExecuteChild(const char* ProgPath, const char* ArgLine) {
  // The system may write into the command line, so it lives in a writable
  // buffer of its own; static, so that a launch makes no allocation.
  static char CmdLine[kChildCmdLineMax];
  if (!BuildChildCmdLine(CmdLine, kChildCmdLineMax, ProgPath, ArgLine))
    return kErrorFilenameExcedRange;
  uint32_t ExitStatus = 0;
  uint32_t Error = RunChild(ProgPath, CmdLine, &ExitStatus);
  return Error != 0 ? Error : ExitStatus;
}

void LaunchProgram(const tShortStr& ProgName, const char* CmdBuf) {
  char ProgPath[kShortStrMax + 1];
  ShortToCStr(ProgName, ProgPath);
  Launcher.ResultCode = static_cast<int32_t>(ExecuteChild(ProgPath, CmdBuf));
}
