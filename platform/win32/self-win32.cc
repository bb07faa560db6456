// Windows only: the process's own command line, path, environment, output
// and end, through kernel32's single-byte ("A") calls.
#include "platform/self.h"

#include <windows.h>

void PlatformStartup(int, char**) {}

const char* OwnCommandLine() {
  return GetCommandLineA();
}

bool OwnModulePath(char (&Buf)[kModulePathBuf]) {
  DWORD N = GetModuleFileNameA(nullptr, Buf, kModulePathBuf);
  if (N == 0) return false;
  // A path that did not fit is cut; older systems leave it without a 0 byte.
  Buf[N < static_cast<DWORD>(kModulePathBuf) ? N : kModulePathBuf - 1] = 0;
  return true;
}

const char* EnvironmentBlock() {
  return GetEnvironmentStringsA();
}

namespace {
void WriteHandle(DWORD Which, const char* Bytes, int32_t Count) {
  HANDLE H = GetStdHandle(Which);
  while (Count > 0) {
    DWORD Written = 0;
    if (!WriteFile(H, Bytes, static_cast<DWORD>(Count), &Written, nullptr) || Written == 0) return;
    Bytes += Written;
    Count -= static_cast<int32_t>(Written);
  }
}
} // namespace

void WriteStdout(const char* Bytes, int32_t Count) {
  WriteHandle(STD_OUTPUT_HANDLE, Bytes, Count);
}
void WriteStderr(const char* Bytes, int32_t Count) {
  WriteHandle(STD_ERROR_HANDLE, Bytes, Count);
}

void ExitWith(uint32_t Status) {
  ExitProcess(Status);
}
