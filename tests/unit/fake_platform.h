// A platform that touches nothing: the tests set what the system would
// answer and read back what the launcher asked of it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/memory.h"

struct FakeFile {
  bool IsDir = false;
  std::string Content;
  uint32_t OpenError = 0;
  uint32_t SizeError = 0;
  uint32_t ReadError = 0;
  int32_t Piece = 0;                  // at most this many bytes per read; 0: all asked for
  uint64_t SizeOverride = UINT64_MAX; // the size reported, when it is not the content's
};

struct FakeChild {
  std::string ProgPath;
  std::string CmdLine;
};

struct FakeSystem {
  std::string CmdLine;
  std::string ModulePath = "C:\\Tools\\trelm.exe";
  bool ModulePathFails = false;
  std::string EnvBlock = std::string("\0", 1);
  bool EnvMissing = false; // the system hands out no environment block
  std::map<std::string, FakeFile> Files;
  tMemoryFigures Memory{0x7FFF0000, 0x40000000, 0x40000000, 0};
  bool HeapRefuses = false;
  uint32_t CreateError = 0;
  uint32_t ChildExit = 0;

  // What the launcher did.
  std::string Stdout;
  std::string Stderr;
  std::vector<FakeChild> Children;
  std::vector<std::string> Events; // "find NAME", "open NAME", "close", "alloc N", "free", "run"
  int OpenFiles = 0;
  int LiveBlocks = 0;
};

// The system the fake answers for; reset before each test.
extern FakeSystem Fake;

// Sets the environment block from entries ("NAME=value").
void SetFakeEnv(const std::vector<std::string>& Entries);

// Zeroes the launcher's record and the fake, then sets the command line.
void ResetFake(const std::string& CmdLine);
