// Starting the located program with the prepared argument text.
#pragma once

#include <cstdint>

#include "args/short_str.h"

// The longest command line the system accepts, its 0 byte included.
constexpr int32_t kChildCmdLineMax = 32767;

// Exit status when the child's command line would not fit.
constexpr uint32_t kErrorFilenameExcedRange = 206;

// Writes '"' ProgPath '"' ' ' ArgLine and a 0 byte into Buf. Returns false,
// writing nothing, when that does not fit into Cap bytes.
bool BuildChildCmdLine(char* Buf, int32_t Cap, const char* ProgPath, const char* ArgLine);

// Builds the command line, starts the child and waits for it. Returns the
// child's exit status, or the system error number of a failed creation
// (206 when the line is too long, and then nothing is started).
uint32_t ExecuteChild(const char* ProgPath, const char* ArgLine);

// Starts ProgName with CmdBuf and stores the outcome in the launcher's
// ResultCode.
void LaunchProgram(const tShortStr& ProgName, const char* CmdBuf);
