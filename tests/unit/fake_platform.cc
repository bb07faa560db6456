#include "tests/unit/fake_platform.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "launcher/state.h"
#include "platform/child.h"
#include "platform/files.h"
#include "platform/self.h"

FakeSystem Fake;

void SetFakeEnv(const std::vector<std::string>& Entries) {
  Fake.EnvBlock.clear();
  for (const std::string& E : Entries)
    Fake.EnvBlock.append(E.c_str(), E.size() + 1);
  Fake.EnvBlock.push_back('\0');
}

void ResetFake(const std::string& CmdLine) {
  Launcher = tLauncherState{};
  Fake = FakeSystem{};
  Fake.CmdLine = CmdLine;
}

// platform/self.h
void PlatformStartup(int, char**) {}
const char* OwnCommandLine() {
  return Fake.CmdLine.c_str();
}
bool OwnModulePath(char (&Buf)[kModulePathBuf]) {
  if (Fake.ModulePathFails) return false;
  std::strncpy(Buf, Fake.ModulePath.c_str(), kModulePathBuf - 1);
  Buf[kModulePathBuf - 1] = 0;
  return true;
}
const char* EnvironmentBlock() {
  return Fake.EnvMissing ? nullptr : Fake.EnvBlock.data();
}
void WriteStdout(const char* Bytes, int32_t Count) {
  Fake.Stdout.append(Bytes, Count);
}
void WriteStderr(const char* Bytes, int32_t Count) {
  Fake.Stderr.append(Bytes, Count);
}
void ExitWith(uint32_t Status) {
  std::exit(static_cast<int>(Status));
}

// platform/files.h: a handle is an index into the opened files, each with
// its read position.
namespace {
struct OpenedFile {
  std::string Name;
  size_t Pos;
};
std::vector<OpenedFile> Opened;
FakeFile& FileOf(tFileHandle File) {
  return Fake.Files.at(Opened.at(File.Value).Name);
}
} // namespace

bool FindFirstEntry(const char* Name, bool* IsDir) {
  Fake.Events.push_back(std::string("find ") + Name);
  auto It = Fake.Files.find(Name);
  if (It == Fake.Files.end()) return false;
  *IsDir = It->second.IsDir;
  return true;
}

uint32_t OpenForRead(const char* Name, tFileHandle* File) {
  Fake.Events.push_back(std::string("open ") + Name);
  auto It = Fake.Files.find(Name);
  if (It == Fake.Files.end()) return 2;
  if (It->second.OpenError != 0) return It->second.OpenError;
  Opened.push_back({Name, 0});
  File->Value = static_cast<intptr_t>(Opened.size() - 1);
  ++Fake.OpenFiles;
  return 0;
}

uint32_t SizeOfFile(tFileHandle File, uint64_t* Size) {
  FakeFile& F = FileOf(File);
  if (F.SizeError != 0) return F.SizeError;
  *Size = F.SizeOverride != UINT64_MAX ? F.SizeOverride : F.Content.size();
  return 0;
}

uint32_t ReadFromFile(tFileHandle File, char* Buf, int32_t Count, int32_t* Got) {
  FakeFile& F = FileOf(File);
  size_t& Pos = Opened.at(File.Value).Pos;
  Fake.Events.push_back("read " + std::to_string(Count));
  if (F.ReadError != 0) return F.ReadError;
  size_t N = std::min(static_cast<size_t>(Count), F.Content.size() - Pos);
  if (F.Piece > 0) N = std::min(N, static_cast<size_t>(F.Piece));
  std::memcpy(Buf, F.Content.data() + Pos, N);
  Pos += N;
  *Got = static_cast<int32_t>(N);
  return 0;
}

void CloseFile(tFileHandle) {
  Fake.Events.push_back("close");
  --Fake.OpenFiles;
}

// platform/memory.h
tMemoryFigures QueryMemoryFigures() {
  return Fake.Memory;
}
char* AllocBlock(int32_t Size) {
  Fake.Events.push_back("alloc " + std::to_string(Size));
  if (Fake.HeapRefuses) return nullptr;
  ++Fake.LiveBlocks;
  return static_cast<char*>(std::malloc(static_cast<size_t>(Size)));
}
void FreeBlock(char* Block) {
  Fake.Events.push_back("free");
  --Fake.LiveBlocks;
  std::free(Block);
}

// platform/child.h
uint32_t RunChild(const char* ProgPath, char* CmdLine, uint32_t* ExitStatus) {
  Fake.Events.push_back("run");
  if (Fake.CreateError != 0) return Fake.CreateError;
  Fake.Children.push_back({ProgPath, CmdLine});
  *ExitStatus = Fake.ChildExit;
  return 0;
}
