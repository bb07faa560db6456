// POSIX stand-in only: memory figures from sysinfo, blocks from malloc.
#include "platform/memory.h"

#include <sys/sysinfo.h>

#include <cstdlib>

tMemoryFigures QueryMemoryFigures() {
  tMemoryFigures F{};
  struct sysinfo Info;
  if (sysinfo(&Info) == 0) {
    F.AvailPhys = static_cast<uint64_t>(Info.freeram) * Info.mem_unit;
    F.AvailPageFile = static_cast<uint64_t>(Info.freeswap) * Info.mem_unit;
  }
  F.AvailVirtual = UINT64_MAX; // a 64-bit process's address space is no limit here
  F.LargestHeapFree = 0;       // malloc cannot tell
  return F;
}

char* AllocBlock(int32_t Size) {
  return static_cast<char*>(std::malloc(static_cast<size_t>(Size)));
}

void FreeBlock(char* Block) {
  std::free(Block);
}
