// Windows only: memory figures from GlobalMemoryStatus and a walk over the
// process heap, which the parameter file's block comes from.
#include "platform/memory.h"

#include <windows.h>

namespace {

// The largest free space that one region of the heap holds: a free block,
// or a range reserved but not yet committed.
uint64_t LargestFreeInHeap(HANDLE Heap) {
  uint64_t Largest = 0;
  PROCESS_HEAP_ENTRY Entry;
  Entry.lpData = nullptr;
  if (!HeapLock(Heap)) return 0;
  while (HeapWalk(Heap, &Entry)) {
    bool Free = (Entry.wFlags & (PROCESS_HEAP_ENTRY_BUSY | PROCESS_HEAP_REGION)) == 0;
    if (Free && Entry.cbData > Largest) Largest = Entry.cbData;
  }
  HeapUnlock(Heap);
  return Largest;
}

} // namespace

tMemoryFigures QueryMemoryFigures() {
  MEMORYSTATUS Status;
  Status.dwLength = sizeof Status;
  GlobalMemoryStatus(&Status);
  tMemoryFigures F;
  F.AvailVirtual = Status.dwAvailVirtual;
  F.AvailPhys = Status.dwAvailPhys;
  F.AvailPageFile = Status.dwAvailPageFile;
  F.LargestHeapFree = LargestFreeInHeap(GetProcessHeap());
  return F;
}

char* AllocBlock(int32_t Size) {
  return static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, static_cast<SIZE_T>(Size)));
}

void FreeBlock(char* Block) {
  HeapFree(GetProcessHeap(), 0, Block);
}
