// Finding the program: ".exe" when the name has no extension, then the
// current directory and each PATH directory for a name without a directory.
#pragma once

#include <cstdint>

#include "args/short_str.h"

// Completes the launcher's ProgName. A name that does not fit with its
// ".exe" is left marked cut, which the caller takes as not found.
void LocateProgram();

// The extension of Name, dot included, or the empty string.
tShortStr ExtractExt(const tShortStr& Name);

// The directory part of Name without its final backslash (a root keeps
// it), or the empty string when Name holds no backslash and no colon.
tShortStr ExtractDir(const tShortStr& Name);

// The value of the entry called Name in an environment block, or null. Names
// match ignoring the case of ASCII letters; the first matching entry wins.
// A null Block (the system had none to give) holds no entry.
const char* FindEnvValueIn(const char* Block, const tShortStr& Name);

// The same in the process's own environment.
const char* FindEnvValue(const tShortStr& Name);

// The next usable directory of a PATH value from Pos on, ending in a
// backslash; the empty string at the end of the list (or when List is null).
// Empty elements and elements too long for a directory are passed over.
tShortStr NextPathDir(const char* List, int32_t& Pos);
