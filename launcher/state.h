// The launcher's variables: one record for the whole process.
#pragma once

#include <cstdint>

#include "args/short_str.h"
#include "platform/files.h"

// States of the parameter-file scanner. Only Copy and Space are ever
// entered; the others keep the numbering of stored state values.
enum tStates : uint8_t { Copy, Space, Tab, cr_lf, slash };

struct tLauncherState {
  tStates State;
  tFileHandle ParamFile;
  tShortStr ProgName;
  tShortStr ParamFileName;
  tShortStr PathDir;
  char* CmdBuf;
  const char* PathList;
  int32_t WritePos;
  int32_t ReadPos;
  int32_t BufSize;
  int32_t OwnCmdLen;
  uint8_t CurCh;
  int32_t ResultCode;
};

// Zeroed at start, like every object of static storage.
extern tLauncherState Launcher;
