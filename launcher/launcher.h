// The launcher's main sequence and the existence test it shares with the
// program search.
#pragma once

#include <cstdint>

#include "args/short_str.h"

// Runs the whole job once and ends the process with its exit status.
[[noreturn]] void LauncherMain();

// The sequence itself: returns the exit status instead of ending the process.
int32_t RunLauncher();

// True when the system's directory search for Name finds an entry and the
// first one it returns is not a directory.
bool FileExistsPlain(const tShortStr& Name);
