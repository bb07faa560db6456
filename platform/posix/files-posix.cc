// POSIX stand-in only: the existence test and file reading over stat, open,
// lseek and read.
#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/errors.h"

namespace {
int Fd(tFileHandle File) {
  return static_cast<int>(File.Value);
}
} // namespace

bool FindFirstEntry(const char* Name, bool* IsDir) {
  struct stat St;
  if (stat(Name, &St) != 0) return false;
  *IsDir = S_ISDIR(St.st_mode);
  return true;
}

uint32_t OpenForRead(const char* Name, tFileHandle* File) {
  int F = open(Name, O_RDONLY | O_CLOEXEC);
  if (F < 0) return Win32ErrorFromErrno(errno);
  File->Value = F;
  return 0;
}

uint32_t SizeOfFile(tFileHandle File, uint64_t* Size) {
  off_t Here = lseek(Fd(File), 0, SEEK_CUR);
  off_t End = Here < 0 ? -1 : lseek(Fd(File), 0, SEEK_END);
  if (End < 0 || lseek(Fd(File), Here, SEEK_SET) < 0) return Win32ErrorFromErrno(errno);
  *Size = static_cast<uint64_t>(End);
  return 0;
}

uint32_t ReadFromFile(tFileHandle File, char* Buf, int32_t Count, int32_t* Got) {
  ssize_t N;
  do
    N = read(Fd(File), Buf, static_cast<size_t>(Count));
  while (N < 0 && errno == EINTR);
  *Got = N > 0 ? static_cast<int32_t>(N) : 0;
  return N < 0 ? Win32ErrorFromErrno(errno) : 0;
}

void CloseFile(tFileHandle File) {
  close(Fd(File));
}
