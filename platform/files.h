// The file system: the existence test and reading the parameter file.
// Results are 0 for success or the system's (Windows) error number.
#pragma once

#include <cstdint>

struct tFileHandle {
  intptr_t Value;
};

// True when the system's directory search for Name finds an entry; *IsDir
// tells whether the first entry it returns is a directory. Name is passed
// unchanged, wildcards included.
bool FindFirstEntry(const char* Name, bool* IsDir);

// Opens an existing file for reading, letting others read and write it.
uint32_t OpenForRead(const char* Name, tFileHandle* File);

// The file's size in bytes, found by moving to its end and back to where it
// was.
uint32_t SizeOfFile(tFileHandle File, uint64_t* Size);

// One read request of up to Count bytes into Buf; *Got receives what it
// delivered, which may be less, and 0 at the end of the file.
uint32_t ReadFromFile(tFileHandle File, char* Buf, int32_t Count, int32_t* Got);

void CloseFile(tFileHandle File);
