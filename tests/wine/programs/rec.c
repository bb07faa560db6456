/* A child for the Windows end-to-end tests. Writes the command line it
   received, byte for byte, to the file named by REC_OUT (or, without it,
   shows it on standard output), writes REC_SPAM bytes to standard output and
   to standard error when asked, and ends with the status in REC_EXIT.
   For the tests of the launcher's lifetime:
   - REC_SPAWN=FILE starts a grandchild, this same program, that writes its
     process id to FILE and then behaves as below;
   - REC_CTRLC=1 catches Ctrl+C and, once one came, ends half a second later;
   - REC_SLEEP_MS=N waits that long first (with REC_CTRLC, for Ctrl+C);
   - REC_READY=FILE receives the process id, then a line end, once all of
     the above is in place. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

static void Spam(HANDLE H, unsigned long Count) {
  char Block[4096];
  memset(Block, 'x', sizeof Block);
  while (Count > 0) {
    DWORD N = Count < sizeof Block ? (DWORD)Count : (DWORD)sizeof Block, W = 0;
    if (!WriteFile(H, Block, N, &W, NULL)) return;
    Count -= W;
  }
}

static HANDLE CtrlC;

static BOOL WINAPI OnCtrl(DWORD Event) {
  if (Event != CTRL_C_EVENT) return FALSE;
  SetEvent(CtrlC);
  return TRUE;
}

static void WritePid(const char* Name) {
  char Text[32];
  DWORD W = 0;
  HANDLE F = CreateFileA(Name, GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS, 0, NULL);
  sprintf(Text, "%lu\n", GetCurrentProcessId());
  WriteFile(F, Text, (DWORD)strlen(Text), &W, NULL);
  CloseHandle(F);
}

/* This program again, as a grandchild that reports to File and records no
   command line. */
static void SpawnGrandchild(const char* File) {
  char Self[MAX_PATH], Line[] = "grandchild", Ready[1024];
  STARTUPINFOA Si;
  PROCESS_INFORMATION Pi;
  GetModuleFileNameA(NULL, Self, sizeof Self);
  GetEnvironmentVariableA("REC_READY", Ready, sizeof Ready);
  SetEnvironmentVariableA("REC_SPAWN", NULL);
  SetEnvironmentVariableA("REC_OUT", NULL);
  SetEnvironmentVariableA("REC_READY", File);
  memset(&Si, 0, sizeof Si);
  Si.cb = sizeof Si;
  if (CreateProcessA(Self, Line, NULL, NULL, FALSE, 0, NULL, NULL, &Si, &Pi)) {
    CloseHandle(Pi.hThread);
    CloseHandle(Pi.hProcess);
  }
  SetEnvironmentVariableA("REC_READY", Ready);
}

int main(void) {
  const char* Line = GetCommandLineA();
  char Value[1024];
  if (GetEnvironmentVariableA("REC_OUT", Value, sizeof Value)) {
    HANDLE F =
        CreateFileA(Value, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD W = 0;
    WriteFile(F, Line, (DWORD)strlen(Line), &W, NULL);
    CloseHandle(F);
  } else {
    HANDLE Out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD W = 0;
    const char Head[] = "The child received this command line:\r\n[";
    WriteFile(Out, Head, sizeof Head - 1, &W, NULL);
    WriteFile(Out, Line, (DWORD)strlen(Line), &W, NULL);
    WriteFile(Out, "]\r\n", 3, &W, NULL);
  }
  if (GetEnvironmentVariableA("REC_SPAM", Value, sizeof Value)) {
    unsigned long Count = strtoul(Value, NULL, 10);
    Spam(GetStdHandle(STD_OUTPUT_HANDLE), Count);
    Spam(GetStdHandle(STD_ERROR_HANDLE), Count);
  }
  if (GetEnvironmentVariableA("REC_SPAWN", Value, sizeof Value)) SpawnGrandchild(Value);
  if (GetEnvironmentVariableA("REC_CTRLC", Value, sizeof Value)) {
    CtrlC = CreateEventA(NULL, TRUE, FALSE, NULL);
    SetConsoleCtrlHandler(OnCtrl, TRUE);
  }
  if (GetEnvironmentVariableA("REC_READY", Value, sizeof Value)) WritePid(Value);
  if (GetEnvironmentVariableA("REC_SLEEP_MS", Value, sizeof Value)) {
    DWORD Ms = strtoul(Value, NULL, 10);
    if (CtrlC == NULL)
      Sleep(Ms);
    else if (WaitForSingleObject(CtrlC, Ms) == WAIT_OBJECT_0)
      Sleep(500);
  }
  if (GetEnvironmentVariableA("REC_EXIT", Value, sizeof Value))
    ExitProcess((UINT)strtoul(Value, NULL, 0));
  return 0;
}
