// Windows only: the child is created with CreateProcessA and waited for,
// bound to the launcher by a job object and shielded from the console's
// interrupts.
#include "platform/child.h"

#include <windows.h>

#include <cstring>

// The system expects the 68-byte record of 32-bit Windows there.
static_assert(sizeof(void*) != 4 || sizeof(STARTUPINFOA) == 68, "STARTUPINFOA layout");

namespace {

// Ctrl+C and Ctrl+Break reach every process of the console, the child
// included: the child decides, and the launcher goes on waiting for its end.
// Close, logoff and shutdown keep the system's default. A real handler, not
// the null form, whose "ignore Ctrl+C" flag the child would inherit.
BOOL WINAPI LeaveInterruptsToChild(DWORD Event) {
  return Event == CTRL_C_EVENT || Event == CTRL_BREAK_EVENT ? TRUE : FALSE;
}

// A job that ends its processes when its last handle closes. The launcher
// never closes it, so it closes with the launcher's end, however that comes,
// and takes a child that still runs along. The child's own children break
// away silently: what it starts on purpose lives on. Null when the system
// cannot make one (the launcher then runs unbound).
HANDLE CreateKillOnCloseJob() {
  HANDLE Job = CreateJobObjectA(nullptr, nullptr);
  if (Job == nullptr) return nullptr;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION Limits;
  std::memset(&Limits, 0, sizeof Limits);
  Limits.BasicLimitInformation.LimitFlags =
      JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_SILENT_BREAKAWAY_OK;
  if (!SetInformationJobObject(Job, JobObjectExtendedLimitInformation, &Limits, sizeof Limits)) {
    CloseHandle(Job);
    return nullptr;
  }
  return Job;
}

} // namespace

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

  // Until now an interrupt simply ends the launcher: nothing was started.
  HANDLE Job = CreateKillOnCloseJob();
  SetConsoleCtrlHandler(LeaveInterruptsToChild, TRUE);

  PROCESS_INFORMATION Process;
  if (!CreateProcessA(ProgPath, CmdLine, nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS, nullptr,
                      nullptr, &Startup, &Process))
    return GetLastError();
  // Where this fails (an enclosing job that forbids nesting), the child runs
  // unbound, as it would without the job.
  if (Job != nullptr) AssignProcessToJobObject(Job, Process.hProcess);

  // The handles are left open: they go with the launcher's own end.
  WaitForSingleObject(Process.hProcess, INFINITE);
  DWORD Code = 0;
  GetExitCodeProcess(Process.hProcess, &Code);
  *ExitStatus = Code;
  return 0;
}
