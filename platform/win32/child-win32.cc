// Windows only: the child is created with CreateProcessA and waited for.
#include "platform/child.h"

#include <windows.h>

#include <cstring>

// The system expects the 68-byte record of 32-bit Windows there.
static_assert(sizeof(void*) != 4 || sizeof(STARTUPINFOA) == 68, "STARTUPINFOA layout");

uint32_t RunChild(const char* ProgPath, char* CmdLine, uint32_t* ExitStatus) {
  // Zeroed throughout; only the window state is requested. The handle
  // fields are filled but not applied (no STARTF_USESTDHANDLES): the child
  // shares the console and inherits the handles.
  STARTUPINFOA Startup;
  std::memset(&Startup, 0, sizeof Startup);
  Startup.cb = sizeof Startup;
  Startup.dwFlags = STARTF_USESHOWWINDOW;
  Startup.wShowWindow = SW_SHOWNORMAL;
  Startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  Startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  Startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);

  PROCESS_INFORMATION Process;
  if (!CreateProcessA(ProgPath, CmdLine, nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS, nullptr,
                      nullptr, &Startup, &Process))
    return GetLastError();

  // The handles are left open: they go with the launcher's own end.
  WaitForSingleObject(Process.hProcess, INFINITE);
  DWORD Code = 0;
  GetExitCodeProcess(Process.hProcess, &Code);
  *ExitStatus = Code;
  return 0;
}
