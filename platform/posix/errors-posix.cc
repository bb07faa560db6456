// POSIX stand-in only: the errno to Windows error number table.
#include "platform/posix/errors.h"

#include <cerrno>

uint32_t Win32ErrorFromErrno(int Errno) {
  switch (Errno) {
  case ENOENT:
  case ENOTDIR:
    return 2; // ERROR_FILE_NOT_FOUND
  case EACCES:
  case EPERM:
  case EISDIR:
    return 5; // ERROR_ACCESS_DENIED
  case ENOMEM:
    return 8; // ERROR_NOT_ENOUGH_MEMORY
  case EIO:
    return 30; // ERROR_READ_FAULT
  case ETXTBSY:
  case EBUSY:
    return 32; // ERROR_SHARING_VIOLATION
  case ENOEXEC:
    return 193; // ERROR_BAD_EXE_FORMAT
  case E2BIG:
  case ENAMETOOLONG:
    return 206; // ERROR_FILENAME_EXCED_RANGE
  default:
    return 31; // ERROR_GEN_FAILURE
  }
}
