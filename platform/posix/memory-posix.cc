// POSIX stand-in only: memory figures from /proc/meminfo and sysinfo, blocks
// from malloc.
#include "platform/memory.h"

#include <sys/sysinfo.h>

#include <cstdio>
#include <cstdlib>

namespace {

// MemAvailable counts reclaimable memory (caches) as available, as the
// system's own figure on Windows does; 0 when the kernel does not give it.
uint64_t AvailableFromMeminfo() {
  std::FILE* F = std::fopen("/proc/meminfo", "r");
  if (F == nullptr) return 0;
  char Line[256];
  unsigned long long KiB = 0;
  while (std::fgets(Line, sizeof Line, F) != nullptr)
    if (std::sscanf(Line, "MemAvailable: %llu kB", &KiB) == 1) break;
  std::fclose(F);
  return static_cast<uint64_t>(KiB) * 1024;
}

} // namespace

tMemoryFigures QueryMemoryFigures() {
  tMemoryFigures F{};
  struct sysinfo Info;
  if (sysinfo(&Info) == 0) {
    F.AvailPhys = static_cast<uint64_t>(Info.freeram) * Info.mem_unit;
    F.AvailPageFile = static_cast<uint64_t>(Info.freeswap) * Info.mem_unit;
  }
  if (uint64_t Available = AvailableFromMeminfo()) F.AvailPhys = Available;
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
