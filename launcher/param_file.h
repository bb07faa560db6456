// Turning the parameter file into the child's argument text: one heap
// buffer, read whole, folded in place into one line, with the launcher's
// arguments 3 and on appended.
#pragma once

#include <cstdint>

#include "platform/memory.h"

// Exit statuses of this step besides 1 (the memory test failed).
constexpr int32_t kErrorNotEnoughMemory = 8;
constexpr int32_t kErrorReadFault = 30;

// Opens and sizes the parameter file, makes the memory test, allocates
// CmdBuf, reads the file into it and closes it; *DataLen receives the bytes
// read. False, with ResultCode set, when the launch must not happen: 1 when
// the memory test fails, the system's error number when the file cannot be
// opened, sized or read in full (30 when the system names none), 8 when the
// heap refuses the block.
bool LoadParamFile(int32_t* DataLen);

// An estimate of the largest block that could be allocated now, from 0 to
// 2^31 - 1.
int32_t LargestFreeBlock();

// The estimate from given figures: the smaller of the available virtual
// space and physical memory plus page file, or the heap's largest free
// region when that is larger, capped at 2^31 - 1. Computed without overflow.
int32_t LargestFreeBlockFrom(const tMemoryFigures& Figures);

// Folds the first DataLen bytes of CmdBuf in place: tab, LF and CR count as
// blanks; other bytes below 0x20 are dropped; a run of blanks becomes one,
// and backslashes right after it go with it. WritePos ends as the length.
void FlattenBuffer(int32_t DataLen);

// Writes from WritePos on: one blank, then each of arguments 3 and on
// followed by a blank, then the 0 byte.
void AppendExtraArgs();
