/* A child for the Windows end-to-end tests. Writes the command line it
   received, byte for byte, to the file named by REC_OUT (or, without it,
   shows it on standard output), writes REC_SPAM bytes to standard output and
   to standard error when asked, and ends with the status in REC_EXIT. */
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
  if (GetEnvironmentVariableA("REC_EXIT", Value, sizeof Value))
    ExitProcess((UINT)strtoul(Value, NULL, 0));
  return 0;
}
