// Memory: the system's figures behind the memory test, and the heap that the
// parameter file's buffer comes from.
#pragma once

#include <cstdint>

struct tMemoryFigures {
  uint64_t AvailVirtual;
  uint64_t AvailPhys;
  uint64_t AvailPageFile;
  uint64_t LargestHeapFree; // largest free space in one region of the heap, 0 when unknown
};

tMemoryFigures QueryMemoryFigures();

// A block of Size bytes, uninitialised; null when the heap refuses it.
char* AllocBlock(int32_t Size);
void FreeBlock(char* Block);
