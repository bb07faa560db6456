#include "launcher/launcher.h"
#include "platform/self.h"

int main(int Argc, char** Argv) {
  PlatformStartup(Argc, Argv);
  LauncherMain();
}
