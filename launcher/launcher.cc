#include "launcher/launcher.h"

#include <cstring>

#include "args/args.h"
#include "launch/launch.h"
#include "launcher/locate.h"
#include "launcher/param_file.h"
#include "launcher/state.h"
#include "platform/files.h"
#include "platform/memory.h"
#include "platform/self.h"

tLauncherState Launcher;

namespace {

constexpr char kUsage[] = "Trelm - starts a program with a command line read from a file\r\n"
                          "Trelm ProgramName ParamFile params\r\n";

} // namespace

bool FileExistsPlain(const tShortStr& Name) {
  char Path[kShortStrMax + 1];
  ShortToCStr(Name, Path);
  bool IsDir = false;
  return FindFirstEntry(Path, &IsDir) && !IsDir;
}

int32_t RunLauncher() {
  tLauncherState& L = Launcher;
  L.ResultCode = 1;

  // Too few arguments: tell how the tool is called.
  if (ArgCount() < 2) {
    WriteStdout(kUsage, static_cast<int32_t>(std::strlen(kUsage)));
    return L.ResultCode;
  }

  // The program: completed and searched for, then it must be a plain file.
  // A name that did not fit whole is never acted on.
  L.ProgName = ArgStr(1);
  LocateProgram();
  if (L.ProgName.Cut || !FileExistsPlain(L.ProgName)) return L.ResultCode;

  // The parameter file: a plain file as well.
  L.ParamFileName = ArgStr(2);
  if (L.ParamFileName.Cut || !FileExistsPlain(L.ParamFileName)) return L.ResultCode;

  // Load it into the one buffer, fold it into a line, add arguments 3 and on.
  int32_t DataLen = 0;
  if (!LoadParamFile(&DataLen)) return L.ResultCode;
  FlattenBuffer(DataLen);
  AppendExtraArgs();

  // Start the program, wait for it, and let its buffer go.
  LaunchProgram(L.ProgName, L.CmdBuf);
  FreeBlock(L.CmdBuf);
  L.CmdBuf = nullptr;
  return L.ResultCode;
}

void LauncherMain() {
  ExitWith(static_cast<uint32_t>(RunLauncher()));
}
