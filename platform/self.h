// The launcher's own process: its command line, its executable's path, its
// environment, its standard output and error, and its end.
#pragma once

#include <cstdint>

constexpr int32_t kModulePathBuf = 260;

// Called first thing by main with its arguments. The Windows build ignores
// them (the system keeps the command line); the stand-in joins them into one.
void PlatformStartup(int Argc, char** Argv);

// The own command line, unchanged, up to its 0 byte.
const char* OwnCommandLine();

// The own executable's full path into Buf, 0 byte included. False when the
// system cannot tell.
bool OwnModulePath(char (&Buf)[kModulePathBuf]);

// The environment block: entries "NAME=value", each ended by a 0 byte, the
// block ended by an empty entry. Owned by the system; never released. Null
// when the system cannot hand one out (out of memory).
const char* EnvironmentBlock();

// Writes the bytes unchanged to standard output or standard error.
void WriteStdout(const char* Bytes, int32_t Count);
void WriteStderr(const char* Bytes, int32_t Count);

// Ends the process with Status, all 32 bits where the system keeps them.
[[noreturn]] void ExitWith(uint32_t Status);
