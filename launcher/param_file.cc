#include "launcher/param_file.h"

#include <cstring>

#include "args/args.h"
#include "launcher/state.h"
#include "platform/files.h"
#include "platform/self.h"

namespace {

constexpr int64_t kInt32Max = 0x7FFFFFFF;

bool FoldsToBlank(uint8_t C) {
  return C == 0x20 || C == 0x09 || C == 0x0A || C == 0x0D;
}

// Skipped after a written blank: blanks, every byte below them, backslashes.
bool SkippedAfterBlank(uint8_t C) {
  return C <= 0x20 || C == '\\';
}

// Eight bytes at a time: true when none of them is 0x20 or below. The
// classic test for a byte below N, exact for N up to 0x80.
bool AllAboveBlank(uint64_t Word) {
  constexpr uint64_t kOnes = 0x0101010101010101ULL;
  constexpr uint64_t kHighs = 0x8080808080808080ULL;
  return ((Word - kOnes * 0x21) & ~Word & kHighs) == 0;
}

// Ends the load with ResultCode set to Code; the file, when open, is closed.
bool FailLoad(int32_t Code, bool Opened) {
  if (Opened) CloseFile(Launcher.ParamFile);
  Launcher.ResultCode = Code;
  return false;
}

int32_t CodeOr(uint32_t Error, int32_t Fallback) {
  return Error != 0 ? static_cast<int32_t>(Error) : Fallback;
}

} // namespace

int32_t LargestFreeBlockFrom(const tMemoryFigures& F) {
  uint64_t Backed = F.AvailPhys + F.AvailPageFile;
  if (Backed < F.AvailPhys) Backed = UINT64_MAX; // cannot wrap into a small value
  uint64_t S = F.AvailVirtual < Backed ? F.AvailVirtual : Backed;
  uint64_t Best = S > F.LargestHeapFree ? S : F.LargestHeapFree;
  return static_cast<int32_t>(Best > static_cast<uint64_t>(kInt32Max) ? kInt32Max : Best);
}

int32_t LargestFreeBlock() {
  return LargestFreeBlockFrom(QueryMemoryFigures());
}

bool LoadParamFile(int32_t* DataLen) {
  tLauncherState& L = Launcher;
  *DataLen = 0;
  char Name[kShortStrMax + 1];
  ShortToCStr(L.ParamFileName, Name);

  uint32_t Error = OpenForRead(Name, &L.ParamFile);
  if (Error != 0) return FailLoad(CodeOr(Error, kErrorReadFault), false);
  L.OwnCmdLen = static_cast<int32_t>(std::strlen(OwnCommandLine()));

  uint64_t Size = 0;
  Error = SizeOfFile(L.ParamFile, &Size);
  if (Error != 0) return FailLoad(CodeOr(Error, kErrorReadFault), true);

  // The buffer holds the file, the extra arguments (shorter than the own
  // command line) and two bytes more; all of it must be a signed 32-bit size.
  if (Size > static_cast<uint64_t>(kInt32Max - 2 - L.OwnCmdLen)) return FailLoad(1, true);
  L.BufSize = static_cast<int32_t>(Size) + L.OwnCmdLen;
  if (LargestFreeBlock() <= L.BufSize) return FailLoad(1, true);

  L.CmdBuf = AllocBlock(L.BufSize + 2);
  if (L.CmdBuf == nullptr) {
    static constexpr char kMessage[] = "Trelm: not enough memory for the parameter file\r\n";
    WriteStderr(kMessage, static_cast<int32_t>(sizeof kMessage - 1));
    return FailLoad(kErrorNotEnoughMemory, true);
  }

  // Read until the size is reached: a share or a pipe-like file may hand
  // the bytes out in pieces. A read that delivers nothing ends the reading.
  int32_t FileSize = static_cast<int32_t>(Size);
  int32_t Got = 0;
  while (Got < FileSize) {
    int32_t Piece = 0;
    Error = ReadFromFile(L.ParamFile, L.CmdBuf + Got, FileSize - Got, &Piece);
    if (Error != 0 || Piece <= 0) break;
    Got += Piece;
  }
  if (Error != 0 || Got != FileSize) {
    FreeBlock(L.CmdBuf);
    L.CmdBuf = nullptr;
    return FailLoad(CodeOr(Error, kErrorReadFault), true);
  }
  CloseFile(L.ParamFile);
  *DataLen = Got;
  return true;
}

void FlattenBuffer(int32_t DataLen) {
  tLauncherState& L = Launcher;
  auto* Buf = reinterpret_cast<uint8_t*>(L.CmdBuf);
  L.WritePos = 0;
  L.ReadPos = 0;
  L.State = Copy;
  while (L.ReadPos < DataLen) {
    if (L.State == Space) {
      while (L.ReadPos < DataLen && SkippedAfterBlank(Buf[L.ReadPos]))
        ++L.ReadPos;
      L.State = Copy;
      continue;
    }
    L.CurCh = Buf[L.ReadPos];
    if (L.CurCh > 0x20) {
      // A run of ordinary bytes is moved whole, eight at a time while it
      // lasts; writing behind the read position never overtakes it.
      while (DataLen - L.ReadPos >= 8) {
        uint64_t Word;
        std::memcpy(&Word, Buf + L.ReadPos, 8);
        if (!AllAboveBlank(Word)) break;
        std::memcpy(Buf + L.WritePos, &Word, 8);
        L.ReadPos += 8;
        L.WritePos += 8;
      }
      while (L.ReadPos < DataLen && Buf[L.ReadPos] > 0x20)
        Buf[L.WritePos++] = Buf[L.ReadPos++];
    } else if (FoldsToBlank(L.CurCh)) {
      Buf[L.WritePos++] = 0x20;
      ++L.ReadPos;
      L.State = Space;
    } else {
      ++L.ReadPos; // other control bytes are dropped
    }
  }
}

void AppendExtraArgs() {
  tLauncherState& L = Launcher;
  char* Buf = L.CmdBuf;
  Buf[L.WritePos++] = ' ';

  if (ArgCount() > 2) {
    // One pass over the own command line: arguments 0 to 2 are stepped
    // over, the rest are copied whole, each followed by a blank. CmdBuf was
    // sized for them, so no memory test is made here: the room left always
    // suffices (each argument stands behind a separator in a command line of
    // OwnCmdLen bytes); the bound only guards the buffer.
    const char* Pos = OwnCommandLine();
    int32_t Len = 0;
    for (int I = 0; I < 3; ++I)
      Pos = SplitNextArgInto(Pos, nullptr, 0, &Len);
    for (L.ReadPos = 3;; ++L.ReadPos) {
      int32_t Room = L.BufSize + 2 - L.WritePos - 2; // keep the blank and the 0 byte
      Pos = SplitNextArgInto(Pos, Buf + L.WritePos, Room, &Len);
      if (Len == 0 || Len > Room) break;
      L.WritePos += Len;
      Buf[L.WritePos++] = ' ';
    }
  }
  Buf[L.WritePos] = 0;
}
