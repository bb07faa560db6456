// Starting the child process and waiting for its end.
#pragma once

#include <cstdint>

// Starts exactly the file ProgPath (no search, no extension added) with
// CmdLine as its command line, sharing the launcher's console, environment,
// current directory and inheritable handles, and waits for its end without a
// time limit. Returns 0 and the child's exit status in *ExitStatus, or the
// system error number when the child could not be created.
//
// While it waits, the launcher stands for the child: interrupts from the
// terminal or console are left to the child, and the launcher goes on
// waiting; where the system allows, the child ends when the launcher is
// ended (a kill-on-close job on Windows; SIGTERM and SIGHUP passed on in the
// stand-in).
uint32_t RunChild(const char* ProgPath, char* CmdLine, uint32_t* ExitStatus);
