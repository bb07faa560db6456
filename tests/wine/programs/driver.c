/* Test driver for the Windows end-to-end tests: starts a program through
   CreateProcessA with an exact command line (read from a file, so that no
   shell or loader rewrites it), standard output and error sent to files, an
   environment of its choosing, and records the full 32-bit exit status.

   driver.exe --app PATH --cmd FILE --status FILE [--out FILE] [--err FILE]
              [--cwd DIR] [--unset NAME]... [--set NAME=VALUE]...
              [--hold FILE --share none|rw] [--repeat N]
              [--ready FILE [--grand FILE] --action kill|ctrlc]

   --unset drops every entry whose name matches NAME in any case; --set puts
   entries at the head of the block, in the order given. --hold keeps FILE
   open with the given sharing while the program runs. --repeat starts the
   program N times, one after the other (for timing). The status file gets
   "exit=N" or "createfail=N".

   --action acts once the program's child has written its process id to the
   --ready file (and a grandchild to the --grand file):
   - kill terminates the program (status 99) and then reports whether the
     child ended within 5 seconds ("child=ended" or "child=running") and
     whether the grandchild still runs ("grandchild=..."); what still runs
     is ended then;
   - ctrlc sends Ctrl+C to the whole console, which the driver itself
     ignores, and reports whether the program still runs 300 ms later
     ("afterctrlc=running" or "afterctrlc=ended"), or "ctrlc=failed" when
     there is no console.
   These reports follow the exit status, separated by blanks. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

static char* ReadWhole(const char* Name) {
  HANDLE F = CreateFileA(Name, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
  DWORD Size, Got = 0;
  char* Buf;
  if (F == INVALID_HANDLE_VALUE) return NULL;
  Size = GetFileSize(F, NULL);
  Buf = (char*)malloc(Size + 1);
  ReadFile(F, Buf, Size, &Got, NULL);
  Buf[Got] = 0;
  CloseHandle(F);
  return Buf;
}

static HANDLE CreateOutput(const char* Name) {
  SECURITY_ATTRIBUTES Sa = {sizeof Sa, NULL, TRUE};
  return CreateFileA(Name, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &Sa, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, NULL);
}

static int NameIs(const char* Entry, const char* Name) {
  size_t N = strlen(Name);
  return _strnicmp(Entry, Name, N) == 0 && Entry[N] == '=';
}

/* The driver's own environment with the changes asked for. */
static char* BuildEnv(int Argc, char** Argv) {
  char* Own = GetEnvironmentStringsA();
  size_t Cap = 1 << 16, Len = 0;
  char* Block = (char*)malloc(Cap);
  const char* E;
  int I;
  for (I = 1; I + 1 < Argc; ++I)
    if (strcmp(Argv[I], "--set") == 0) {
      size_t N = strlen(Argv[I + 1]) + 1;
      memcpy(Block + Len, Argv[I + 1], N);
      Len += N;
    }
  for (E = Own; *E; E += strlen(E) + 1) {
    int Drop = 0;
    for (I = 1; I + 1 < Argc; ++I)
      if (strcmp(Argv[I], "--unset") == 0 && NameIs(E, Argv[I + 1])) Drop = 1;
    if (!Drop && Len + strlen(E) + 2 < Cap) {
      memcpy(Block + Len, E, strlen(E) + 1);
      Len += strlen(E) + 1;
    }
  }
  Block[Len] = 0;
  return Block;
}

static const char* Option(int Argc, char** Argv, const char* Name) {
  int I;
  for (I = 1; I + 1 < Argc; ++I)
    if (strcmp(Argv[I], Name) == 0) return Argv[I + 1];
  return NULL;
}

static BOOL WINAPI IgnoreCtrlC(DWORD Event) {
  return Event == CTRL_C_EVENT;
}

/* The process whose id a test program writes to Name, once it is there. */
static HANDLE WaitForPid(const char* Name) {
  int Try;
  for (Try = 0; Try < 3000; ++Try, Sleep(10)) {
    char* Text = ReadWhole(Name);
    if (Text && strchr(Text, '\n')) {
      DWORD Pid = strtoul(Text, NULL, 10);
      free(Text);
      return OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, Pid);
    }
    free(Text);
  }
  return NULL;
}

/* "running" or "ended" within Ms; what still runs is ended. */
static const char* EndsWithin(HANDLE Process, DWORD Ms) {
  if (Process == NULL) return "unknown";
  if (WaitForSingleObject(Process, Ms) == WAIT_OBJECT_0) return "ended";
  TerminateProcess(Process, 1);
  return "running";
}

static void Act(const char* Action, HANDLE Program, const char* Ready, const char* Grand,
                char* Report) {
  HANDLE Child = WaitForPid(Ready);
  HANDLE Grandchild = Grand ? WaitForPid(Grand) : NULL;
  if (Child == NULL) {
    strcpy(Report, " ready=never");
    return;
  }
  if (strcmp(Action, "kill") == 0) {
    TerminateProcess(Program, 99);
    WaitForSingleObject(Program, INFINITE);
    sprintf(Report, " child=%s", EndsWithin(Child, 5000));
    if (Grand) sprintf(Report + strlen(Report), " grandchild=%s", EndsWithin(Grandchild, 500));
  } else if (!GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0)) {
    strcpy(Report, " ctrlc=failed");
  } else {
    Sleep(300);
    sprintf(Report, " afterctrlc=%s",
            WaitForSingleObject(Program, 0) == WAIT_TIMEOUT ? "running" : "ended");
  }
}

int main(int Argc, char** Argv) {
  const char* App = Option(Argc, Argv, "--app");
  const char* CmdFile = Option(Argc, Argv, "--cmd");
  const char* StatusFile = Option(Argc, Argv, "--status");
  const char* OutFile = Option(Argc, Argv, "--out");
  const char* ErrFile = Option(Argc, Argv, "--err");
  const char* Cwd = Option(Argc, Argv, "--cwd");
  const char* Hold = Option(Argc, Argv, "--hold");
  const char* Share = Option(Argc, Argv, "--share");
  const char* Repeat = Option(Argc, Argv, "--repeat");
  const char* Action = Option(Argc, Argv, "--action");
  const char* Ready = Option(Argc, Argv, "--ready");
  const char* Grand = Option(Argc, Argv, "--grand");
  char Report[256] = "";
  char* Cmd = CmdFile ? ReadWhole(CmdFile) : NULL;
  char* Env = BuildEnv(Argc, Argv);
  char Result[64];
  HANDLE Held = INVALID_HANDLE_VALUE, Status;
  DWORD Written, Code = 0;
  int Runs = Repeat ? atoi(Repeat) : 1, Run;
  STARTUPINFOA Si;
  PROCESS_INFORMATION Pi;

  if (!App || !Cmd || !StatusFile) return 2;
  memset(&Si, 0, sizeof Si);
  Si.cb = sizeof Si;
  Si.dwFlags = STARTF_USESTDHANDLES;
  Si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  Si.hStdOutput = OutFile ? CreateOutput(OutFile) : GetStdHandle(STD_OUTPUT_HANDLE);
  Si.hStdError = ErrFile ? CreateOutput(ErrFile) : GetStdHandle(STD_ERROR_HANDLE);
  if (Hold) {
    DWORD Mode = (Share && strcmp(Share, "rw") == 0) ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
    Held = CreateFileA(Hold, GENERIC_READ | GENERIC_WRITE, Mode, NULL, OPEN_EXISTING, 0, NULL);
    if (Held == INVALID_HANDLE_VALUE) return 3;
  }

  if (Action && !Ready) return 2;
  if (Action) SetConsoleCtrlHandler(IgnoreCtrlC, TRUE);
  sprintf(Result, "exit=0");
  for (Run = 0; Run < Runs; ++Run) {
    /* CreateProcessA may write into the command line: give it a fresh copy. */
    char* Line = _strdup(Cmd);
    if (!CreateProcessA(App, Line, NULL, NULL, TRUE, 0, Env, Cwd, &Si, &Pi)) {
      sprintf(Result, "createfail=%lu", GetLastError());
      break;
    }
    if (Action) Act(Action, Pi.hProcess, Ready, Grand, Report);
    WaitForSingleObject(Pi.hProcess, INFINITE);
    GetExitCodeProcess(Pi.hProcess, &Code);
    CloseHandle(Pi.hProcess);
    CloseHandle(Pi.hThread);
    free(Line);
    sprintf(Result, "exit=%lu%s", Code, Report);
  }
  if (Held != INVALID_HANDLE_VALUE) CloseHandle(Held);

  Status = CreateFileA(StatusFile, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  WriteFile(Status, Result, (DWORD)strlen(Result), &Written, NULL);
  CloseHandle(Status);
  return 0;
}
