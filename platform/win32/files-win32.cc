// Windows only: the existence test over FindFirstFileA, and the parameter
// file over CreateFileA, SetFilePointer and ReadFile.
#include "platform/files.h"

#include <windows.h>

namespace {
HANDLE Handle(tFileHandle File) {
  return reinterpret_cast<HANDLE>(File.Value);
}

// Moves the file position; the new position in *Pos.
bool Seek(HANDLE H, DWORD Method, uint64_t To, uint64_t* Pos) {
  LONG High = static_cast<LONG>(To >> 32);
  DWORD Low = SetFilePointer(H, static_cast<LONG>(To & 0xFFFFFFFFu), &High, Method);
  if (Low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return false;
  *Pos = (static_cast<uint64_t>(static_cast<DWORD>(High)) << 32) | Low;
  return true;
}
} // namespace

bool FindFirstEntry(const char* Name, bool* IsDir) {
  WIN32_FIND_DATAA Found;
  HANDLE Search = FindFirstFileA(Name, &Found);
  if (Search == INVALID_HANDLE_VALUE) return false;
  *IsDir = (Found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  FindClose(Search);
  return true;
}

uint32_t OpenForRead(const char* Name, tFileHandle* File) {
  HANDLE H = CreateFileA(Name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (H == INVALID_HANDLE_VALUE) return GetLastError();
  File->Value = reinterpret_cast<intptr_t>(H);
  return 0;
}

uint32_t SizeOfFile(tFileHandle File, uint64_t* Size) {
  uint64_t Here = 0;
  uint64_t Unused = 0;
  SetLastError(NO_ERROR);
  if (!Seek(Handle(File), FILE_CURRENT, 0, &Here) || !Seek(Handle(File), FILE_END, 0, Size) ||
      !Seek(Handle(File), FILE_BEGIN, Here, &Unused))
    return GetLastError();
  return 0;
}

uint32_t ReadFromFile(tFileHandle File, char* Buf, int32_t Count, int32_t* Got) {
  DWORD Read = 0;
  BOOL Ok = ReadFile(Handle(File), Buf, static_cast<DWORD>(Count), &Read, nullptr);
  *Got = static_cast<int32_t>(Read);
  return Ok ? 0 : GetLastError();
}

void CloseFile(tFileHandle File) {
  CloseHandle(Handle(File));
}
