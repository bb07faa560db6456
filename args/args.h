// Splitting the launcher's own command line into arguments.
//
// Bytes 0x01 to 0x20 separate arguments; a double quote opens or closes a
// quoted section in which they are ordinary bytes; the quote itself is never
// part of an argument; there is no escape character.
#pragma once

#include <cstdint>

#include "args/short_str.h"

// Splits the argument that begins at Pos (after any separators and pairs of
// double quotes). Its first Cap bytes go to Out (Out may be null when Cap is
// 0); *Len receives the length of the whole argument, however long. The
// result is the byte that ended it: a separator, or the 0 byte, on which
// every further call stays. A length of 0 means the text held no further
// argument.
const char* SplitNextArgInto(const char* Pos, char* Out, int32_t Cap, int32_t* Len);

// The same into a counted string: the whole argument is consumed, and the
// string is marked cut when it was longer than 255 bytes.
const char* SplitNextArg(const char* Pos, tShortStr& Arg);

// The number of arguments after the program name in CmdLine; -1 when it
// holds no argument at all.
int32_t ArgCountIn(const char* CmdLine);

// Argument Index (1 and above) of CmdLine, or the empty string when there
// is none or Index is below 1.
tShortStr ArgStrIn(const char* CmdLine, int32_t Index);

// The same two over the process's own command line. ArgStr(0) is the full
// path of the launcher's own executable, empty when the system cannot tell.
int32_t ArgCount();
tShortStr ArgStr(int32_t Index);
