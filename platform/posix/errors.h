// POSIX stand-in only: errno values turned into the Windows error numbers
// that the Windows build reports for the same failure.
#pragma once

#include <cstdint>

uint32_t Win32ErrorFromErrno(int Errno);
