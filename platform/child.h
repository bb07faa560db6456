// Starting the child process and waiting for its end.
#pragma once

#include <cstdint>

// Starts exactly the file ProgPath (no search, no extension added) with
// CmdLine as its command line, sharing the launcher's console, environment,
// current directory and inheritable handles, and waits for its end without a
// time limit. Returns 0 and the child's exit status in *ExitStatus, or the
// system error number when the child could not be created.
uint32_t RunChild(const char* ProgPath, char* CmdLine, uint32_t* ExitStatus);
